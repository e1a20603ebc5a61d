# The Python module against the companion and the C interface: for the same pair of values, the
# same states with the same values to the last bit, and the same messages where there is none.
import ctypes
import json
import math
import os
import subprocess

import numpy as np
import pytest

import vapomet

CLI = os.environ["VAPOMET_CLI"]
C_LIBRARY = os.environ["VAPOMET_C_LIBRARY"]

# One case per pair and per kind of answer: each region, wet steam, several states, and values
# that no state has.
CASES = [
    ({"P": 3, "T": 300}, "region 1"),
    ({"P": 0.0035, "T": 700}, "region 2"),
    ({"P": 30, "T": 650}, "region 3"),
    ({"P": 8, "T": 1500}, "region 5"),
    ({"T": 300, "P": 1}, "T before P"),
    ({"P": 1, "h": 2000}, "wet steam"),
    ({"P": 3, "s": 6.5}, "P, s"),
    ({"h": 3000, "s": 7}, "h, s"),
    ({"P": 1, "u": 2500}, "P, u"),
    ({"P": 1, "v": 0.2}, "P, v"),
    ({"T": 500, "v": 0.01}, "T, v"),
    ({"T": 600, "s": 3.5}, "T, s"),
    ({"T": 600, "h": 1500}, "T, h"),
    ({"T": 274, "h": 20}, "T, h: wet steam and liquid"),
    ({"u": 2500, "v": 0.3}, "u, v"),
    ({"P": 1, "x": 0.5}, "P, x"),
    ({"T": 400, "x": 0}, "T, x"),
    ({"h": 2000, "x": 0.7}, "h, x"),
    ({"s": 6, "x": 0.9}, "s, x"),
    ({"P": 0, "T": 300}, "P out of the domain"),
    ({"P": 1, "T": 200}, "T out of the domain"),
    ({"T": 300, "h": 5000}, "no state"),
    ({"T": 400, "x": 1.5}, "x out of the domain"),
]
IDS = [name for _, name in CASES]


def companion(*arguments):
    """The companion's JSON rows for its arguments."""
    run = subprocess.run([CLI, "--json", *arguments], capture_output=True, text=True, check=False)
    return [json.loads(line) for line in run.stdout.splitlines() if line.strip()]


def given(pair, *options):
    (a, va), (b, vb) = pair.items()
    return companion("--given", f"{a},{b}", *options, "--", repr(float(va)), repr(float(vb)))


def agree(mine, theirs):
    """Every value the two have in common, bit for bit (NaN and None alike)."""
    for key in set(mine) & set(theirs) - {"transport", "message"}:
        a, b = mine[key], theirs[key]
        if isinstance(a, float) and math.isnan(a):
            a = None
        if isinstance(b, float) and math.isnan(b):
            b = None
        assert a == b, f"{key}: {a} here, {b} there"


@pytest.mark.parametrize("pair, name", CASES, ids=IDS)
def test_numbers_give_the_companions_states(pair, name):
    rows = given(pair)
    if rows[0]["message"] is not None:
        with pytest.raises(vapomet.Error) as raised:
            vapomet.states(**pair)
        assert str(raised.value) == rows[0]["message"]
        with pytest.raises(vapomet.Error):
            vapomet.state(**pair)
        return
    states = vapomet.states(**pair)
    assert len(states) == len(rows)
    for state, row in zip(states, rows):
        assert set(row) - {"line", "message"} <= set(state)
        agree(state, row)
    first = vapomet.state(**pair)
    assert first["count"] == len(rows)
    agree(first, rows[0])


@pytest.mark.parametrize("pair, name", CASES, ids=IDS)
def test_the_c_interface_gives_the_companions_states(pair, name):
    rows = given(pair)
    (a, va), (b, vb) = pair.items()
    states = (State * 4)()
    message = ctypes.create_string_buffer(256)
    count = c_interface.vapomet_states_from(VARIABLES.index(a), ctypes.c_double(va),
                                            VARIABLES.index(b), ctypes.c_double(vb),
                                            states, 4, message, len(message))
    if rows[0]["message"] is not None:
        assert count < 0
        assert message.value.decode() == rows[0]["message"]
        return
    assert count == len(rows)
    for state, row in zip(states, rows):
        plain = {field: getattr(state, field) for field, _ in State._fields_}
        plain["density"] = plain.pop("rho")
        plain["metastable"] = bool(plain["metastable"])
        agree(plain, row)


def test_errors_have_their_kind():
    for pair, kind in [({"P": 0, "T": 300}, vapomet.OutOfDomain),
                       ({"P": math.nan, "T": 300}, vapomet.OutOfDomain),
                       ({"T": 300, "h": 5000}, vapomet.NoState)]:
        with pytest.raises(kind):
            vapomet.state(**pair)
    assert issubclass(vapomet.Error, ValueError)
    assert vapomet.state(P=[math.nan], T=300)["message"][0] == "P is not a finite number"


@pytest.mark.parametrize("call, error", [
    (lambda: vapomet.state(P=1), TypeError),
    (lambda: vapomet.state(P=1, T=300, h=100), TypeError),
    (lambda: vapomet.state(P=1, q=300), TypeError),
    (lambda: vapomet.state(T=300, u=100), ValueError),
    (lambda: vapomet.state(P=1, h=300, metastable=True), ValueError),
    (lambda: vapomet.state(P=1, T=300, transport="1990"), ValueError),
    (lambda: vapomet.saturation(T=300, P=1), TypeError),
    (lambda: vapomet.states(P=[1, 2], T=300), TypeError),
    (lambda: vapomet.state(P=None, T=300), TypeError),
    (lambda: vapomet.state(P="1", T=300), TypeError),
    (lambda: vapomet.state(P=True, T=300), TypeError),
    (lambda: vapomet.state(P=[1, 2], T=[300, 400, 500]), ValueError),
], ids=["one value", "three values", "no such value", "pair not offered",
        "metastable of another pair", "no such release", "saturation of two", "states of arrays",
        "None", "a text", "a truth value", "shapes that do not broadcast"])
def test_calls_that_are_refused(call, error):
    with pytest.raises(error):
        call()


@pytest.mark.parametrize("options", [["--transport", "2008"], ["--metastable"]],
                         ids=["2008 transport", "metastable vapour"])
def test_options_give_the_companions_states(options):
    pair = {"P": 0.1, "T": 360}
    keywords = {"transport": "2008"} if "--transport" in options else {"metastable": True}
    agree(vapomet.state(**pair, **keywords), given(pair, *options)[0])


def test_arrays_give_each_elements_state():
    assert vapomet.state(T=[274.0], h=20)["count"][0] == 2
    by_pair = {}
    for pair, _ in CASES:
        by_pair.setdefault(tuple(pair), []).append(tuple(pair.values()))
    for names, values in by_pair.items():
        columns = dict(zip(names, np.array(values, dtype=float).T))
        arrays = vapomet.state(**columns)
        for i, value in enumerate(values):
            element = {key: array[i] for key, array in arrays.items() if key != "transport"}
            try:
                agree(element, vapomet.state(**dict(zip(names, value))))
                assert element["message"] == ""
            except vapomet.Error as error:
                assert element["message"] == str(error)
                assert element["region"] == 0 and element["count"] == 0
                assert math.isnan(element["h"])


def test_arrays_broadcast():
    arrays = vapomet.state(P=[[1.0], [10.0]], T=np.array([300.0, 500.0, 700.0]))
    assert arrays["h"].shape == (2, 3) and arrays["message"].shape == (2, 3)
    assert vapomet.saturation(T=np.array(300.0))["liquid"]["h"].shape == ()
    assert vapomet.state(P=np.array([]), T=300)["h"].shape == (0,)
    for (i, j), h in np.ndenumerate(arrays["h"]):
        assert h == vapomet.state(P=[1.0, 10.0][i], T=[300.0, 500.0, 700.0][j])["h"]


def test_a_batch_of_random_states_is_the_companions(tmp_path):
    # Enough states for every core, some outside the formulation, in the companion's order.
    rng = np.random.default_rng(97)
    P = rng.uniform(-1, 101, 5000)
    h = rng.uniform(0, 4200, 5000)
    lines = tmp_path / "states.txt"
    lines.write_text("".join(f"{p!r} {e!r}\n" for p, e in zip(P, h)))
    rows = companion("--batch", str(lines), "--given", "P,h")
    arrays = vapomet.state(P=P, h=h)
    assert len(rows) == len(P)
    assert (arrays["message"] != "").sum() > 0
    for i, row in enumerate(rows):
        element = {key: array[i] for key, array in arrays.items() if key != "transport"}
        if row["message"] is not None:
            assert element["message"] == row["message"]
        else:
            agree(element, row)


@pytest.mark.parametrize("given, span", [("T", "300:700:9"), ("P", "0.001:22.064:7")])
def test_saturation_is_the_companions(given, span):
    rows = companion("--saturation", f"{given}={span}")
    values = np.array([row[given] for row in rows])  # the companion's own spacing
    arrays = vapomet.saturation(**{given: values})
    for i, row in enumerate(rows):
        if row["P"] is None or row["T"] is None:
            assert arrays["message"][i] != ""
            with pytest.raises(vapomet.OutOfDomain):
                vapomet.saturation(**{given: values[i]})
            continue
        line = vapomet.saturation(**{given: values[i]})
        for phase in ("liquid", "vapour"):
            theirs = {key[len(phase) + 1:]: value for key, value in row.items()
                      if key.startswith(phase + " ")}
            agree(line[phase], theirs)
            agree({key: array[i] for key, array in arrays[phase].items() if key != "transport"},
                  theirs)


def test_saturated_phases_are_the_line_ends():
    line = vapomet.saturation(P=1)
    for x, phase in ((0, "liquid"), (1, "vapour")):
        ends = vapomet.state(P=1, x=x)
        for key in ("T", "h", "s", "v"):
            assert ends[key] == pytest.approx(line[phase][key], rel=1e-12)


def test_units_name_every_value():
    assert set(vapomet.state(P=1, T=300)) - {"region", "metastable", "transport", "count"} \
        == set(vapomet.units)
    assert vapomet.units["h"] == "kJ/kg" and vapomet.units["viscosity"] == "µPa s"


# ---- The C interface through ctypes -------------------------------------------------------

VARIABLES = ["P", "T", "v", "h", "u", "s", "x"]


class State(ctypes.Structure):
    _fields_ = [("region", ctypes.c_int), ("metastable", ctypes.c_int)] + [
        (name, ctypes.c_double) for name in
        ("P", "T", "rho", "v", "h", "u", "s", "x", "cp", "cv", "w", "viscosity", "conductivity")]


c_interface = ctypes.CDLL(C_LIBRARY)
c_interface.vapomet_states_from.argtypes = [
    ctypes.c_int, ctypes.c_double, ctypes.c_int, ctypes.c_double, ctypes.POINTER(State),
    ctypes.c_int, ctypes.c_char_p, ctypes.c_size_t]
