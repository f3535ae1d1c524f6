#pragma once

// The parts of the Python module `ridolt._ridolt`, each bound by its own
// file, and what they share: read-only numpy views of the game's arrays and
// the conversions of Python's arguments.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace py = pybind11;

// `data` as a read-only numpy array of `shape` (C order) that borrows the
// memory of `owner` and keeps it alive: no copy is made.  `type` may name
// another type of the same size (bool for bytes of 0 and 1).
template <typename T>
py::array VxPyView(std::span<T> data, std::vector<py::ssize_t> shape, py::handle owner,
                   const py::dtype& type = py::dtype::of<T>()) {
    py::array view(type, std::move(shape), data.data(), owner);
    py::detail::array_proxy(view.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
    return view;
}

// A Python whole number (anything with __index__: int, numpy integers) as
// 64 bits; none when it does not fit.  Throws TypeError for anything else.
std::optional<int64_t> VxPyWholeNumber(py::handle number);
// A seed: a whole number from 0 to 2^64 - 1, or None.  Throws ValueError
// for another number.
std::optional<uint64_t> VxPySeed(py::handle seed);
// A month limit: a whole number of 1 or more, or None.
std::optional<int64_t> VxPyMaxMonths(py::handle months);

void VxPyBindGame(py::module_& module);
void VxPyBindEnvs(py::module_& module);
