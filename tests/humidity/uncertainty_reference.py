#!/usr/bin/env python3
"""An independent computation of the humidity quantities' expanded uncertainties, for the
literal values in uncertainty_propagation_test.cpp. It shares nothing with the C++ code but
the published constants: the frost point is found by bisection, and every sensitivity
coefficient (the formulations' too, as relative changes of their curves) by central
differences of the whole quantity. Run: python3 tests/humidity/uncertainty_reference.py"""
import math

G = [-2.8365744e3, -6.028076559e3, 1.954263612e1, -2.737830188e-2, 1.6261698e-5,
     7.0229056e-10, -1.8680009e-13, 2.7150305]
K = [-5.8666426e3, 2.232870244e1, 1.39387003e-2, -3.4262402e-5, 2.7040955e-8, 6.7063522e-1]


def ew(t):
    T = t + 273.15
    return math.exp(sum(G[i] * T ** (i - 2) for i in range(7)) + G[7] * math.log(T))


def ei(t):
    T = t + 273.15
    return math.exp(sum(K[i] * T ** (i - 1) for i in range(5)) + K[5] * math.log(T))


def enhancement(p):
    return 1.0016 + 3.15e-6 * p - 0.074 / p


def frost_point(target, di):
    low, high = -100.0, 0.01
    for _ in range(200):
        mid = 0.5 * (low + high)
        if ei(mid) * (1 + di) < target:
            low = mid
        else:
            high = mid
    return 0.5 * (low + high)


def quantities(td, t, p, d):
    """Every quantity in °C and SI units; d holds the formulations' relative errors."""
    ew_td = ew(td) * (1 + d.get("w_td", 0.0))
    e = enhancement(p) * (1 + d.get("f", 0.0)) * ew_td
    q = {"dew_point": td, "ambient": t, "e": e,
         "rh": 100 * ew_td / (ew(t) * (1 + d.get("w_t", 0.0))),
         "ah": 2.16679 * e / (t + 273.15),
         "mr": 621.98 * e / (100 * p - e), "ppmv": 1e6 * e / (100 * p - e)}
    if td < 0:
        q["frost"] = frost_point(ew_td, d.get("i_f", 0.0))
    if t < 0:
        q["rhi"] = 100 * ew_td / (ei(t) * (1 + d.get("i_t", 0.0)))
    return q


def along_depth(t, at_zero, at_minus100):
    depth = min(max(-t / 100.0, 0.0), 1.0)
    return at_zero + (at_minus100 - at_zero) * depth


def expanded(td, t, p, u_td, u_t, u_p, scatter_td=0.0, scatter_t=0.0, fahrenheit=False):
    """U (k = 2) of each quantity; temperatures in °C, U of temperatures in the scale."""
    base = quantities(td, t, p, {})
    tf = base.get("frost", 0.0)
    u_rel = {"w_td": along_depth(td, 5e-5, 1e-2), "w_t": along_depth(t, 5e-5, 1e-2),
             "i_t": along_depth(t, 1.6e-4, 5e-3), "i_f": along_depth(tf, 1.6e-4, 5e-3),
             "f": 5e-4}
    variances = {name: 0.0 for name in base}

    def add(shifted, step, u):
        up, down = shifted(step), shifted(-step)
        for name in variances:
            c = (up[name] - down[name]) / (2 * step)
            variances[name] += (c * u) ** 2

    u_temperature_td = math.hypot(u_td / 2, scatter_td)
    u_temperature_t = math.hypot(u_t / 2, scatter_t)
    add(lambda h: quantities(td + h, t, p, {}), 1e-4, u_temperature_td)
    add(lambda h: quantities(td, t + h, p, {}), 1e-4, u_temperature_t)
    add(lambda h: quantities(td, t, p + h, {}), 1e-3, u_p / 2)
    for name, u in u_rel.items():
        add(lambda h, name=name: quantities(td, t, p, {name: h}), 1e-7, u)
    k = 1.8 if fahrenheit else 1.0
    out = {}
    for name, value in base.items():
        scale = k if name in ("dew_point", "ambient", "frost") else 1.0
        out[name] = (value * scale + (32 if scale != 1.0 else 0), 2 * math.sqrt(variances[name]) * scale)
    return out


CASES = [
    ("warm, by hand", dict(td=20.0, t=30.0, p=1013.25, u_td=0.2, u_t=0.2, u_p=1.0)),
    ("warm in °F", dict(td=20.0, t=30.0, p=1013.25, u_td=0.2, u_t=0.2, u_p=1.0, fahrenheit=True)),
    ("near saturation, Type A", dict(td=24.5, t=25.0, p=1013.25, u_td=0.2, u_t=0.2, u_p=1.0,
                                     scatter_td=0.02 / math.sqrt(600), scatter_t=0.05 / math.sqrt(600))),
    ("hot and humid", dict(td=60.0, t=70.0, p=1013.25, u_td=0.1, u_t=0.1, u_p=30.0)),
    ("over ice, Type A", dict(td=-40.0, t=-20.0, p=1000.0, u_td=0.2, u_t=0.2, u_p=1.0,
                              scatter_td=0.03 / math.sqrt(300), scatter_t=0.01 / math.sqrt(300))),
    ("very dry", dict(td=-60.0, t=23.0, p=1013.25, u_td=0.2, u_t=0.2, u_p=30.0)),
]

if __name__ == "__main__":
    for title, case in CASES:
        print(title)
        for name, (value, u) in expanded(**case).items():
            print(f"  {name:10s} {value:.9g}  U={u:.7g}")
