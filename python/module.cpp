// The Python module vapomet: states of water and steam after IAPWS-IF97 from any two of their
// properties, and the saturated liquid and vapour, on numbers or on NumPy arrays.
//
// A state is a mapping of the companion's column names ("P", "T", "h", "density", "cp/cv",
// "viscosity", ...) to values in the library's units, with the same values and the same
// messages as `vapomet-cli --given`. On numbers a failure raises vapomet.Error (or one of its
// kinds) with the message; on arrays each element that fails carries its message in the
// "message" array and NaN in every value, and the arrays are computed on every core without the
// GIL.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "driver/messages.h"
#include "driver/state_table.h"
#include "vapomet/version.h"

namespace py = pybind11;

namespace {

using namespace vapomet;
using namespace pybind11::literals;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
// Elements a worker takes at a time: enough to make the hand-over cheap, few enough to keep
// every core busy to the end.
constexpr std::size_t kPiece = 512;

// ---- Calls: the pair and the options from the keywords -----------------------------------

struct Options {
    TransportRelease release = TransportRelease::Iaps1985;
    bool metastable = false;
};

struct Given {
    Variable variable;
    py::object value;
};

struct Call {
    std::vector<Given> given;
    Options options;
};

// The keywords of a call: the given values (`allowed` of them, `count` in all), `transport` and,
// where the call has it, `metastable`.
Call CallOf(const py::kwargs& keywords, const char* name, const std::vector<Variable>& allowed,
            std::size_t count, bool takesMetastable) {
    Call call;
    for (const auto& [key, value] : keywords) {
        const std::string word = py::cast<std::string>(key);
        if (word == "transport") {
            const std::string release = py::cast<std::string>(py::str(value));
            const std::optional<TransportRelease> named =
                ReleaseNamed(QString::fromStdString(release));
            if (!named) throw py::value_error("transport is \"1985\" or \"2008\", not " + release);
            call.options.release = *named;
        } else if (word == "metastable" && takesMetastable) {
            call.options.metastable = py::cast<bool>(value);
        } else if (const auto variable = VariableNamed(word);
                   variable &&
                   std::find(allowed.begin(), allowed.end(), *variable) != allowed.end()) {
            call.given.push_back({*variable, py::reinterpret_borrow<py::object>(value)});
        } else {
            throw py::type_error(std::string(name) + "() got an unexpected keyword " + word);
        }
    }
    if (call.given.size() != count) {
        std::string names;
        for (Variable v : allowed) names += (names.empty() ? "" : ", ") + std::string(NameOf(v));
        throw py::type_error(std::string(name) + "() takes " + (count == 1 ? "one" : "two") +
                             " of " + names);
    }
    return call;
}

const std::vector<Variable> kPairVariables = {Variable::P, Variable::T, Variable::v, Variable::h,
                                              Variable::u, Variable::s, Variable::x};
const std::vector<Variable> kLineVariables = {Variable::T, Variable::P};

Call PairCall(const py::kwargs& keywords, const char* name) {
    Call call = CallOf(keywords, name, kPairVariables, 2, true);
    const Variable a = call.given[0].variable, b = call.given[1].variable;
    if (!IsOfferedPair(a, b))
        throw py::value_error("no states are found from " + std::string(NameOf(a)) + " and " +
                              std::string(NameOf(b)));
    if (call.options.metastable && !IsPressureAndTemperature(a, b))
        throw py::value_error("metastable vapour is given by its pressure and temperature");
    return call;
}

// A call is on numbers where every given value is a number, Python's or NumPy's (a truth value
// is none); anything else is an array.
bool OnNumbers(const Call& call) {
    const py::object numpyNumber = py::module_::import("numpy").attr("number");
    return std::all_of(call.given.begin(), call.given.end(), [&](const Given& g) {
        return !py::isinstance<py::bool_>(g.value) &&
               (py::isinstance<py::float_>(g.value) || py::isinstance<py::int_>(g.value) ||
                py::isinstance(g.value, numpyNumber));
    });
}

// ---- Failures ----------------------------------------------------------------------------

// The exception classes; set once when the module is made.
struct Errors {
    PyObject *error, *outOfDomain, *noState, *notConverged, *fault;
};
Errors errors{};

// Raises the Python exception of a failure of the library, with its message.
void Raise(const std::exception& failure) {
    PyObject* kind = errors.error;
    if (dynamic_cast<const OutOfDomain*>(&failure) != nullptr) {
        kind = errors.outOfDomain;
    } else if (dynamic_cast<const NoState*>(&failure) != nullptr) {
        kind = errors.noState;
    } else if (dynamic_cast<const ConvergenceFailure*>(&failure) != nullptr) {
        kind = errors.notConverged;
    } else if (dynamic_cast<const FloatingPointFault*>(&failure) != nullptr) {
        kind = errors.fault;
    }
    PyErr_SetString(kind, MessageOf(failure).toStdString().c_str());
}

// ---- States as mappings of numbers -------------------------------------------------------

py::object Number(std::optional<double> value) {
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

py::dict StateMapping(const State& state, const TableValues& values, TransportRelease release) {
    py::dict mapping("P"_a = state.P, "T"_a = state.T, "region"_a = static_cast<int>(state.region),
                     "metastable"_a = state.metastable, "x"_a = Number(state.x));
    for (const Quantity* q : TableQuantities())
        mapping[q->column] = Number(values[static_cast<std::size_t>(q->id)]);
    mapping["transport"] = ReleaseName(release).toStdString();
    return mapping;
}

std::vector<State> StatesOfNumbers(const Call& call) {
    const Given &a = call.given[0], &b = call.given[1];
    return StatesGiven(a.variable, py::cast<double>(a.value), b.variable, py::cast<double>(b.value),
                       call.options.metastable);
}

// ---- States as mappings of arrays --------------------------------------------------------

// Where the values of one kind of element go: one array per value, written by index from any
// thread, and made into the mapping once every element is in.
class Columns {
  public:
    explicit Columns(const std::vector<py::ssize_t>& shape) {
        for (std::size_t k = 0; k < names().size(); ++k) {
            values_.emplace_back(shape);
            pointers_.push_back(values_.back().mutable_data());
        }
        region_ = py::array_t<std::int8_t>(shape);
        metastable_ = py::array_t<bool>(shape);
        regions_ = region_.mutable_data();
        metastables_ = metastable_.mutable_data();
    }

    void write(std::size_t i, const State& state, const TableValues& values) const {
        pointers_[0][i] = state.P;
        pointers_[1][i] = state.T;
        pointers_[2][i] = state.x.value_or(kNone);
        const auto& quantities = TableQuantities();
        for (std::size_t k = 0; k < quantities.size(); ++k)
            pointers_[3 + k][i] =
                values[static_cast<std::size_t>(quantities[k]->id)].value_or(kNone);
        regions_[i] = static_cast<std::int8_t>(state.region);
        metastables_[i] = state.metastable;
    }

    void fail(std::size_t i) const {
        for (double* column : pointers_) column[i] = kNone;
        regions_[i] = 0;
        metastables_[i] = false;
    }

    py::dict mapping(TransportRelease release) const {
        py::dict mapping;
        const std::vector<const char*>& keys = names();
        for (std::size_t k = 0; k < keys.size(); ++k) {
            mapping[keys[k]] = values_[k];
            if (k == 1) {  // after P and T, as a state on numbers has them
                mapping["region"] = region_;
                mapping["metastable"] = metastable_;
            }
        }
        mapping["transport"] = ReleaseName(release).toStdString();
        return mapping;
    }

  private:
    // P, T and x, then the table's quantities.
    static const std::vector<const char*>& names() {
        static const std::vector<const char*> list = [] {
            std::vector<const char*> names{"P", "T", "x"};
            for (const Quantity* q : TableQuantities()) names.push_back(q->column);
            return names;
        }();
        return list;
    }

    std::vector<py::array_t<double>> values_;
    std::vector<double*> pointers_;
    py::array_t<std::int8_t> region_;
    py::array_t<bool> metastable_;
    std::int8_t* regions_ = nullptr;
    bool* metastables_ = nullptr;
};

// The given values broadcast against each other, as contiguous arrays of doubles.
using Doubles = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The given values broadcast against each other, as contiguous arrays of doubles of their
// shape (0-d ones too). A value that is no array of numbers is refused.
std::vector<Doubles> Broadcast(const Call& call) {
    const py::module_ numpy = py::module_::import("numpy");
    py::list given;
    for (const Given& g : call.given) {
        const py::array array = numpy.attr("asarray")(g.value);
        const char kind = array.dtype().kind();
        if (kind != 'i' && kind != 'u' && kind != 'f')
            throw py::type_error(std::string(NameOf(g.variable)) +
                                 " takes a number or an array of numbers");
        given.append(array);
    }
    std::vector<Doubles> out;
    for (const py::handle array : numpy.attr("broadcast_arrays")(*given))
        out.push_back(
            Doubles::ensure(numpy.attr("asarray")(array, "dtype"_a = "float64", "order"_a = "C")));
    return out;
}

std::vector<py::ssize_t> ShapeOf(const py::array& array) {
    return {array.shape(), array.shape() + array.ndim()};
}

// Runs work(i) for i below n on every core, without the GIL. Each element catches its own
// failures of the library; anything else ends the run and is thrown here.
template <typename Work>
void OnEveryCore(std::size_t n, const Work& work) {
    py::gil_scoped_release released;
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex guard;
    const auto worker = [&] {
        for (std::size_t start = next.fetch_add(kPiece); start < n;
             start = next.fetch_add(kPiece)) {
            try {
                for (std::size_t i = start; i < std::min(n, start + kPiece); ++i) work(i);
            } catch (...) {
                const std::lock_guard lock(guard);
                failure = std::current_exception();
                next = n;
                return;
            }
        }
    };
    const std::size_t workers = std::clamp<std::size_t>(
        (n + kPiece - 1) / kPiece, 1, std::max(1U, std::thread::hardware_concurrency()));
    {
        std::vector<std::jthread> helpers;
        for (std::size_t w = 1; w < workers; ++w) helpers.emplace_back(worker);
        worker();
    }
    if (failure) std::rethrow_exception(failure);
}

// The messages of the elements as a NumPy array of str, "" where an element has its state.
py::array Messages(const std::vector<std::string>& messages,
                   const std::vector<py::ssize_t>& shape) {
    py::list list(messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i) list[i] = py::str(messages[i]);
    py::tuple dimensions(shape.size());
    for (std::size_t k = 0; k < shape.size(); ++k) dimensions[k] = shape[k];
    return py::module_::import("numpy")
        .attr("array")(list, "dtype"_a = "object")
        .attr("reshape")(dimensions);
}

py::dict StateArrays(const Call& call) {
    const auto given = Broadcast(call);
    const std::vector<py::ssize_t> shape = ShapeOf(given[0]);
    const auto n = static_cast<std::size_t>(given[0].size());
    const Columns columns(shape);
    py::array_t<std::int32_t> counts(shape);
    std::int32_t* count = counts.mutable_data();
    std::vector<std::string> messages(n);
    const double *a = given[0].data(), *b = given[1].data();
    const Variable va = call.given[0].variable, vb = call.given[1].variable;
    const Options options = call.options;
    OnEveryCore(n, [&](std::size_t i) {
        try {
            const std::vector<State> states = StatesGiven(va, a[i], vb, b[i], options.metastable);
            columns.write(i, states.front(), ValuesOf(states.front(), options.release));
            count[i] = static_cast<std::int32_t>(states.size());
        } catch (const PropertyError& failure) {
            columns.fail(i);
            count[i] = 0;
            messages[i] = MessageOf(failure).toStdString();
        }
    });
    py::dict mapping = columns.mapping(options.release);
    mapping["count"] = counts;
    mapping["message"] = Messages(messages, shape);
    return mapping;
}

py::dict SaturationArrays(const Call& call) {
    const auto given = Broadcast(call);
    const std::vector<py::ssize_t> shape = ShapeOf(given[0]);
    const auto n = static_cast<std::size_t>(given[0].size());
    const Columns liquid(shape), vapour(shape);
    std::vector<std::string> messages(n);
    const double* value = given[0].data();
    const bool atT = call.given[0].variable == Variable::T;
    const TransportRelease release = call.options.release;
    OnEveryCore(n, [&](std::size_t i) {
        try {
            const Saturation line = atT ? SaturationAtT(value[i]) : SaturationAtP(value[i]);
            liquid.write(i, line.liquid, ValuesOf(line.liquid, release, line));
            vapour.write(i, line.vapour, ValuesOf(line.vapour, release, line));
        } catch (const PropertyError& failure) {
            liquid.fail(i);
            vapour.fail(i);
            messages[i] = MessageOf(failure).toStdString();
        }
    });
    const py::dict liquidMapping = liquid.mapping(release);
    const py::dict vapourMapping = vapour.mapping(release);
    return py::dict("P"_a = vapourMapping["P"], "T"_a = vapourMapping["T"],
                    "liquid"_a = liquidMapping, "vapour"_a = vapourMapping,
                    "message"_a = Messages(messages, shape));
}

// ---- The module's calls ------------------------------------------------------------------

// Runs `compute` and turns a failure of the library into the module's exception.
template <typename Compute>
py::object Answer(const Compute& compute) {
    try {
        return compute();
    } catch (const PropertyError& failure) {
        Raise(failure);
        throw py::error_already_set();
    }
}

py::object StateOf(const py::kwargs& keywords) {
    const Call call = PairCall(keywords, "state");
    if (!OnNumbers(call)) return StateArrays(call);
    return Answer([&] {
        const std::vector<State> states = StatesOfNumbers(call);
        py::dict mapping = StateMapping(
            states.front(), ValuesOf(states.front(), call.options.release), call.options.release);
        mapping["count"] = states.size();
        return mapping;
    });
}

py::object StatesOf(const py::kwargs& keywords) {
    const Call call = PairCall(keywords, "states");
    if (!OnNumbers(call)) throw py::type_error("states() takes numbers; state() takes arrays");
    return Answer([&] {
        py::list list;
        for (const State& state : StatesOfNumbers(call))
            list.append(
                StateMapping(state, ValuesOf(state, call.options.release), call.options.release));
        return list;
    });
}

py::object SaturationOf(const py::kwargs& keywords) {
    const Call call = CallOf(keywords, "saturation", kLineVariables, 1, false);
    if (!OnNumbers(call)) return SaturationArrays(call);
    return Answer([&] {
        const double value = py::cast<double>(call.given[0].value);
        const Saturation line =
            call.given[0].variable == Variable::T ? SaturationAtT(value) : SaturationAtP(value);
        const TransportRelease release = call.options.release;
        return py::dict(
            "P"_a = line.vapour.P, "T"_a = line.vapour.T,
            "liquid"_a = StateMapping(line.liquid, ValuesOf(line.liquid, release, line), release),
            "vapour"_a = StateMapping(line.vapour, ValuesOf(line.vapour, release, line), release));
    });
}

py::dict Units() {
    py::dict units("P"_a = "MPa", "T"_a = "K", "x"_a = "");
    for (const Quantity* q : TableQuantities()) units[q->column] = q->unit;
    return units;
}

}  // namespace

PYBIND11_MODULE(vapomet, m) {
    m.doc() =
        "Properties of water and steam after IAPWS-IF97, with the IAPS 1985 viscosity and "
        "conductivity\n(or the IAPWS 2008 viscosity and 2011 conductivity), in the units of "
        "vapomet.units:\nP in MPa, T in K, h in kJ/kg, s in kJ/(kg K), v in m3/kg, x from 0 to 1.";
    m.attr("__version__") = VAPOMET_VERSION;
    m.attr("units") = Units();

    // Kept for the life of the process: the translator reads them until the interpreter ends.
    const auto kind = [&m](const char* name, PyObject* base, const char* doc) {
        PyObject* type =
            PyErr_NewExceptionWithDoc((std::string("vapomet.") + name).c_str(), doc, base, nullptr);
        if (type == nullptr) throw py::error_already_set();
        m.add_object(name, py::handle(type));
        return type;
    };
    errors.error = kind("Error", PyExc_ValueError, "A state that the formulation does not give.");
    errors.outOfDomain = kind("OutOfDomain", errors.error, "A value outside the formulation.");
    errors.noState = kind("NoState", errors.error, "Values that no state has together.");
    errors.notConverged = kind("NotConverged", errors.error, "A search that did not settle.");
    errors.fault = kind("Fault", errors.error, "A floating-point fault in the equations.");

    m.def("state", &StateOf,
          "state(**pair, transport=\"1985\", metastable=False)\n\n"
          "The state with two given values, one of the pairs (P,T), (P,h), (P,s), (h,s), (P,u),\n"
          "(P,v), (T,v), (T,s), (T,h), (u,v), (P,x), (T,x), (h,x), (s,x): state(P=1, T=300).\n"
          "On numbers: a dict of every value (None where the state has none) and the count of\n"
          "states with the pair; a failure raises vapomet.Error with its message. On arrays\n"
          "(broadcast against each other): a dict of arrays, NaN where there is no value, the\n"
          "first state where several have the pair, region 0 and the reason in 'message' where\n"
          "there is none. transport=\"2008\" takes the 2008 viscosity and 2011 conductivity;\n"
          "metastable=True (P and T) the metastable-vapour equation.");
    m.def("states", &StatesOf,
          "states(**pair, transport=\"1985\", metastable=False)\n\n"
          "Every state with two given numbers, as a list of dicts ordered by P, then T.");
    m.def("saturation", &SaturationOf,
          "saturation(T=... or P=..., transport=\"1985\")\n\n"
          "The saturated liquid and vapour at a temperature or a pressure: a dict of P, T,\n"
          "'liquid' and 'vapour'; on arrays with a 'message' array.");
}
