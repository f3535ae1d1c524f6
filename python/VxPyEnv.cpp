// The cores of ridolt.Env and ridolt.VecEnv: one game or many stepped as
// environments (sim/VxSimEnv.h, sim/VxSimBatch.h), their arrays handed to
// Python as read-only numpy views.  The Python classes of the package
// (ridolt/__init__.py) give them the reset and step of the convention.

#include "python/VxPyModule.h"

#include "game/VxConsts.h"
#include "sim/VxSimArrays.h"
#include "sim/VxSimBatch.h"
#include "sim/VxSimEnv.h"

#include <pybind11/stl.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The games play without the GIL, so two Python threads could step one
// environment at once: the second is refused rather than let in.
class TVxPyBusy {
public:
    class TGuard {
    public:
        explicit TGuard(TVxPyBusy& busy) : FBusy(busy) {
            if (FBusy.FBusy.exchange(true))
                throw std::runtime_error("the environment is in use by another thread");
        }
        ~TGuard() { FBusy.FBusy = false; }
        TGuard(const TGuard&) = delete;
        TGuard& operator=(const TGuard&) = delete;

    private:
        TVxPyBusy& FBusy;
    };

private:
    std::atomic<bool> FBusy{false};
};

using TActions = py::array_t<int64_t, py::array::c_style | py::array::forcecast>;

// The figures of games by ID, with a leading axis of `games` unless
// `single`: views of `store` owned by `owner`.
py::dict Observation(TVxSimArrayStore& store, py::ssize_t games, bool single, py::handle owner) {
    const auto shape = [&](std::vector<py::ssize_t> rest) {
        if (!single)
            rest.insert(rest.begin(), games);
        return rest;
    };
    py::dict obs;
    obs["prices"] =
        VxPyView(std::span(store.Prices), shape({CompanyCount, PriceHistoryLength}), owner);
    obs["holdings"] = VxPyView(std::span(store.Holdings), shape({CompanyCount}), owner);
    obs["cash"] = VxPyView(std::span(store.Cash), shape({}), owner);
    obs["year"] = VxPyView(std::span(store.Year), shape({}), owner);
    obs["month"] = VxPyView(std::span(store.Month), shape({}), owner);
    obs["buy_max"] = VxPyView(std::span(store.BuyMax), shape({CompanyCount}), owner);
    obs["sell_max"] = VxPyView(std::span(store.SellMax), shape({CompanyCount}), owner);
    return obs;
}

// One environment and its arrays.
class TVxPyEnv {
public:
    TVxSimArrayStore Store{1};
    TVxSimEnv Env{Store.Slice(0)};
    std::vector<int32_t> Filled = std::vector<int32_t>(CompanyCount);
    bool Started = false;
    TVxPyBusy Busy;
};

// The batch of a VecEnv.
class TVxPyBatch : public TVxSimBatch {
public:
    using TVxSimBatch::TVxSimBatch;
    TVxPyBusy Busy;
};

// Actions of `shape` as 64-bit lot counts, from an array of any integer
// type or a sequence of whole numbers; no copy of an array that is one
// already.  Fractions are refused, not cut.
TActions Actions(py::handle given, const std::vector<py::ssize_t>& shape) {
    TActions actions;
    if (TActions::check_(given)) {
        actions = py::reinterpret_borrow<TActions>(given);
    } else {
        const py::array array = py::array::ensure(given);
        if (!array)
            throw py::type_error("an action is an array of lot counts");
        const char kind = array.dtype().kind();
        if (kind != 'i' && kind != 'u')
            throw py::type_error("an action holds whole lot counts, not " +
                                 py::str(array.dtype()).cast<std::string>());
        actions = TActions::ensure(array);
    }
    const bool same = actions.ndim() == static_cast<py::ssize_t>(shape.size()) &&
                      std::equal(shape.begin(), shape.end(), actions.shape());
    if (!same)
        throw py::value_error("an action is an array of one signed lot count per company: "
                              "expected the shape " +
                              py::repr(py::tuple(py::cast(shape))).cast<std::string>());
    return actions;
}

py::tuple Stepped(const TVxSimEnvStep& step, const TVxSimEnv& env) {
    return py::make_tuple(step.Reward, step.Terminated, step.Truncated, step.Refused,
                          step.Restarted, env.Seed(), env.Months());
}

} // namespace

void VxPyBindEnvs(py::module_& module) {
    py::class_<TVxPyEnv>(module, "EnvCore", "The game of one ridolt.Env.")
        .def(py::init<>())
        .def(
            "reset",
            [](TVxPyEnv& env, py::handle seed, py::handle maxMonths) {
                const std::optional<uint64_t> chosen = VxPySeed(seed);
                const std::optional<int64_t> limit = VxPyMaxMonths(maxMonths);
                const TVxPyBusy::TGuard guard(env.Busy);
                const py::gil_scoped_release released;
                env.Env.Reset(chosen, limit);
                env.Started = true;
            },
            py::arg("seed"), py::arg("max_months"))
        .def(
            "step",
            [](TVxPyEnv& env, py::handle given) {
                const TActions action = Actions(given, {CompanyCount});
                if (!env.Started)
                    throw std::logic_error("reset() the environment before its first step");
                const TVxPyBusy::TGuard guard(env.Busy);
                TVxSimEnvStep step;
                {
                    const py::gil_scoped_release released;
                    step = env.Env.Step(std::span(action.data(), CompanyCount), env.Filled);
                }
                return Stepped(step, env.Env);
            },
            py::arg("action"),
            "Settles the action and plays the month: (reward, terminated, truncated, refused,\n"
            "restarted, seed, months).")
        .def_property_readonly("seed", [](const TVxPyEnv& env) { return env.Env.Seed(); })
        .def_property_readonly("months", [](const TVxPyEnv& env) { return env.Env.Months(); })
        .def_property_readonly("total", [](const TVxPyEnv& env) { return env.Env.Total(); })
        .def("observation",
             [](py::object self) {
                 return Observation(self.cast<TVxPyEnv&>().Store, 1, true, self);
             })
        .def("filled", [](py::object self) {
            return VxPyView(std::span(self.cast<TVxPyEnv&>().Filled), {CompanyCount}, self);
        });

    py::class_<TVxPyBatch>(module, "VecEnvCore", "The games of one ridolt.VecEnv.")
        .def(py::init<size_t, int32_t>(), py::arg("games"), py::arg("threads"))
        .def_property_readonly("games", &TVxPyBatch::Games)
        .def_property_readonly("threads", &TVxPyBatch::Threads)
        .def(
            "reset",
            [](TVxPyBatch& batch, const std::vector<py::object>& seeds, py::handle maxMonths) {
                std::vector<std::optional<uint64_t>> chosen;
                for (const py::object& seed : seeds)
                    chosen.push_back(VxPySeed(seed));
                const std::optional<int64_t> limit = VxPyMaxMonths(maxMonths);
                const TVxPyBusy::TGuard guard(batch.Busy);
                const py::gil_scoped_release released;
                batch.Reset(chosen, limit);
            },
            py::arg("seeds"), py::arg("max_months"))
        .def(
            "step",
            [](TVxPyBatch& batch, py::handle given) {
                const TActions actions =
                    Actions(given, {static_cast<py::ssize_t>(batch.Games()), CompanyCount});
                const TVxPyBusy::TGuard guard(batch.Busy);
                const py::gil_scoped_release released;
                batch.Step(std::span(actions.data(), batch.Games() * CompanyCount));
            },
            py::arg("actions"))
        .def("observation",
             [](py::object self) {
                 TVxPyBatch& batch = self.cast<TVxPyBatch&>();
                 return Observation(batch.Arrays(), static_cast<py::ssize_t>(batch.Games()), false,
                                    self);
             })
        .def("results", [](py::object self) {
            TVxPyBatch& batch = self.cast<TVxPyBatch&>();
            const auto games = static_cast<py::ssize_t>(batch.Games());
            const auto flags = [&](std::vector<uint8_t>& values) {
                return VxPyView(std::span(values), {games}, self, py::dtype("bool"));
            };
            py::dict results;
            results["rewards"] = VxPyView(std::span(batch.Rewards), {games}, self);
            results["terminated"] = flags(batch.Terminated);
            results["truncated"] = flags(batch.Truncated);
            results["refused"] = flags(batch.Refused);
            results["restarted"] = flags(batch.Restarted);
            results["filled"] = VxPyView(std::span(batch.Filled), {games, CompanyCount}, self);
            results["seed"] = VxPyView(std::span(batch.Seeds), {games}, self);
            results["months"] = VxPyView(std::span(batch.Months), {games}, self);
            return results;
        });
}
