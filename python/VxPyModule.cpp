// The module `ridolt._ridolt`: the game of ridolt-sim serve in-process.
// Its Python face is the package `ridolt` (ridolt/__init__.py).

#include "python/VxPyModule.h"

#include "sim/VxSimAnswers.h"
#include "sim/VxSimEnv.h"
#include "sim/VxSimRequest.h"
#include "sim/VxSimServer.h"
#include "sim/VxSimStudy.h"

#include <pybind11/stl.h>

#include <string>

std::optional<int64_t> VxPyWholeNumber(py::handle number) {
    const py::object index = py::reinterpret_steal<py::object>(PyNumber_Index(number.ptr()));
    if (!index)
        throw py::error_already_set();
    int overflow = 0;
    const long long value = PyLong_AsLongLongAndOverflow(index.ptr(), &overflow);
    if (overflow != 0)
        return std::nullopt;
    if (value == -1 && PyErr_Occurred())
        throw py::error_already_set();
    return value;
}

std::optional<uint64_t> VxPySeed(py::handle seed) {
    if (seed.is_none())
        return std::nullopt;
    const py::object index = py::reinterpret_steal<py::object>(PyNumber_Index(seed.ptr()));
    if (!index)
        throw py::error_already_set();
    const unsigned long long value = PyLong_AsUnsignedLongLong(index.ptr());
    if (PyErr_Occurred()) {
        PyErr_Clear();
        throw py::value_error("a seed is a whole number from 0 to 2**64 - 1, not " +
                              py::repr(seed).cast<std::string>());
    }
    return value;
}

std::optional<int64_t> VxPyMaxMonths(py::handle months) {
    if (months.is_none())
        return std::nullopt;
    const std::optional<int64_t> value = VxPyWholeNumber(months);
    if (!value || *value < 1)
        throw py::value_error("max_months is a whole number of 1 or more, not " +
                              py::repr(months).cast<std::string>());
    return value;
}

namespace {

// The rules of the game as the hello of serve tells them.
py::dict Rules() {
    py::dict rules;
    for (const TVxSimRule& rule : VxSimRules)
        rules[py::str(rule.Name.data(), rule.Name.size())] = rule.Value;
    rules["money_unit"] = py::str(VxSimMoneyUnit.data(), VxSimMoneyUnit.size());
    rules["price_unit"] = py::str(VxSimPriceUnit.data(), VxSimPriceUnit.size());
    return rules;
}

const char* OutcomeName(TVxSimOutcome outcome) {
    switch (outcome) {
    case TVxSimOutcome::Won:
        return "won";
    case TVxSimOutcome::Lost:
        return "lost";
    case TVxSimOutcome::Stuck:
        return "stuck";
    case TVxSimOutcome::Playing:
        break;
    }
    return "playing";
}

} // namespace

PYBIND11_MODULE(_ridolt, module) {
    module.doc() = "The game of ridolt-sim serve in-process: see the package ridolt.";

    // A refused request: its `code` is the protocol's error code.
    static py::exception<EVxSimRequestError> error(module, "RidoltError");
    py::register_exception_translator([](std::exception_ptr failure) {
        try {
            if (failure)
                std::rethrow_exception(failure);
        } catch (const EVxSimRequestError& e) {
            const py::object raised = py::handle(error.ptr())(e.Code() + ": " + e.what());
            raised.attr("code") = e.Code();
            raised.attr("message") = e.what();
            PyErr_SetObject(error.ptr(), raised.ptr());
        }
    });

    module.attr("PROTOCOL") = VxSimProtocolVersion;
    module.attr("RULES") = Rules();

    module.def(
        "next_seed", [](py::handle seed) { return VxSimNextSeed(*VxPySeed(seed)); },
        py::arg("seed"), "The seed of the game an environment plays after the game of `seed`.");

    module.def(
        "play_strategy",
        [](const std::string& strategy, uint64_t seed, py::handle months) {
            const std::optional<int64_t> limit = VxPyMaxMonths(months);
            TVxSimGameResult result;
            {
                const py::gil_scoped_release released;
                result = VxSimPlayGame(strategy, seed, limit.value_or(INT32_MAX));
            }
            return py::make_tuple(OutcomeName(result.Outcome), result.Fortune, result.Months);
        },
        py::arg("strategy"), py::arg("seed"), py::arg("months"),
        "Plays the game of `seed` with a built-in strategy for at most `months` months, as\n"
        "ridolt-sim study does: (outcome, total assets, months played).  The outcome is\n"
        "'won', 'lost', 'stuck' or 'playing'; the months of a won game end with its win.");

    VxPyBindGame(module);
    VxPyBindEnvs(module);
}
