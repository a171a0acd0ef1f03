"""Sweep files of the frequency response analyser and of other programs
(Touchstone, circuit simulators' AC exports, tables): read them, read their
figures, fit models and draw pages, with the numbers and bytes the exporter
fernplot-export writes.

Every call is independent: the module is safe to use from several threads
(long calls release the GIL) and from worker processes, forked or spawned.
"""

import os
from typing import Any, Iterable, Literal, Mapping, Optional, Union

import numpy as np
import numpy.typing as npt

__version__: str

PathLike = Union[str, bytes, os.PathLike]
Ratio = Literal["ch1/ch2", "ch2/ch1"]
Quantity = Literal["ratio", "impedance"]
Columns = Literal["f,re,im", "f,re,-im", "f,mag,deg", "f,db,deg"]
ZFrom = Literal["s11", "s21-shunt", "s21-series"]

class ReadError(OSError, ValueError):
    """A sweep file that cannot be read: malformed, of no known format, or
    without a usable point. str(error) is "<path>:<line>: <message>"."""

    path: str
    """The file."""
    line: int
    """The 1-based line at fault; 0 when the file as a whole is."""
    message: str
    """The reader's words, without path and line."""
    def __init__(self, path: str, line: int, message: str) -> None: ...

class Sweep:
    """One trace of a sweep in one channel ratio. Arrays are read-only.

    Sweep(frequency, response, quantity="ratio", title="") makes one from
    arrays: 1-D, at least one point, of the same length, finite, the
    frequencies (Hz) above 0 and rising. Gain and phase are kept at the
    precision the readers keep them (float32 dB and degrees). With
    quantity="impedance" the response is Z in ohms, kept as given (double)
    as an impedance file's values are. ValueError names the point at fault;
    TypeError for arrays that are not numbers.
    """

    def __init__(
        self,
        frequency: npt.ArrayLike,
        response: npt.ArrayLike,
        quantity: Quantity = "ratio",
        title: str = "",
    ) -> None: ...
    @property
    def frequency(self) -> npt.NDArray[np.float64]:
        """Frequencies in Hz, ascending (equal ones in the file's order)."""
    @property
    def response(self) -> npt.NDArray[np.complex128]:
        """10**(gain_db/20) * exp(1j*radians(phase_deg)). Of an impedance, Z
        in ohms: an impedance file's values as read (double, whatever the
        ratio), or shunt * H of a ratio read through a shunt, the numbers
        the exporter's -f zcsv writes."""
    @property
    def gain_db(self) -> npt.NDArray[np.float64]:
        """Gain in dB: for a data file its float32 values widened, bit for bit
        the exporter's -f json; of an impedance 20*log10(|Z|/1 ohm), the
        curve its page draws."""
    @property
    def phase_deg(self) -> npt.NDArray[np.float64]:
        """Phase in degrees as stored, not re-wrapped."""
    @property
    def quantity(self) -> Quantity:
        """What the response is: the ratio of the two channels, or an
        impedance (an impedance file, a table read by impedance columns, an
        S-parameter file read with z_from, a ratio read through a shunt)."""
    @property
    def shunt(self) -> Optional[float]:
        """The shunt's ohms the ratio was read through, or None (always None
        for an impedance file, which is never scaled)."""
    @property
    def ratio(self) -> Ratio:
        """The channel ratio read."""
    @property
    def title(self) -> str:
        """The data title, or the trace's name."""
    @property
    def path(self) -> Optional[str]:
        """The file read; None for a sweep made from arrays."""
    @property
    def header(self) -> Optional[dict[str, Any]]:
        """The data file's header fields by their -f json names; None for
        other formats."""
    @property
    def format(self) -> Optional[str]:
        """"DAT", the imported format's name ("Touchstone v1", ...), or None
        for a sweep made from arrays."""
    def __len__(self) -> int: ...

def read(
    path: PathLike,
    *,
    ratio: Ratio = "ch1/ch2",
    sparam: Optional[str] = None,
    columns: Optional[Columns] = None,
    z_from: Optional[ZFrom] = None,
    shunt: Optional[float] = None,
) -> Sweep:
    """Reads a sweep file of any format the exporter reads (the format is told
    from the content); a stepped file gives its first step, the page's trace.
    Never reads the viewer's settings. The keywords are the exporter's
    options of the same names:

    - sparam (--sparam): a network file's parameter, "S21", "S31", "Z11",
      ... (S21 of an S file of two ports or more, Z11 of a Z file);
    - columns (--columns): a delimited table's first three columns, its
      header row skipped: "f,re,im", "f,re,-im", "f,mag,deg" (an impedance
      in ohms and degrees) or "f,db,deg" (a ratio);
    - z_from (--z-from): an S-parameter file's impedance, "s11"
      (z0(1+S11)/(1-S11)), "s21-shunt" (z0/2 S21/(1-S21)) or "s21-series"
      (2 z0 (1-S21)/S21); not with sparam;
    - shunt (--shunt): channel 2 across a shunt of these ohms, a ratio read
      as the impedance Z = shunt * H (an impedance file is not scaled).

    Raises FileNotFoundError (ENOENT) for a missing file, ReadError for one
    that cannot be read, has no usable point, lacks the parameter asked for
    or is no delimited table for columns; ValueError for a value an option
    does not take, TypeError for arguments of the wrong type.
    """

def read_all(
    path: PathLike,
    *,
    ratio: Ratio = "ch1/ch2",
    sparam: Optional[str] = None,
    columns: Optional[Columns] = None,
    z_from: Optional[ZFrom] = None,
    shunt: Optional[float] = None,
) -> list[Sweep]:
    """Every trace (step) of a sweep file in file order; as read() otherwise."""

def figures(sweep: Sweep, *, margin_reference: Literal[-180, 0] = -180) -> dict[str, Any]:
    """The exporter's -f figures document: low-frequency gain, peak, -3 dB
    points, resonance and Q, gain and phase crossovers with their margins
    against margin_reference degrees, modulus and delay margins, and the
    closed loop's figures. A value JSON has no number for is the string
    "NaN", "Infinity" or "-Infinity". Of an impedance its own figures, as
    -f figures writes them: impedanceMinimum, impedanceMaximum, resonances
    (frequency, ohms, Q) and seriesResistanceOhm."""

def fit_circuit(
    sweep: Sweep,
    circuit: str,
    *,
    initial: Union[None, str, Mapping[str, float]] = None,
    weight: Literal["modulus", "unit", "proportional"] = "modulus",
    global_search: bool = False,
    global_seconds: Optional[float] = None,
    fmin: Optional[float] = None,
    fmax: Optional[float] = None,
) -> dict[str, Any]:
    """The equivalent circuit fitted to an impedance, the exporter's -f
    circuit document (--circuit, --initial, --circuit-weight, --global,
    --global-seconds, --fmin, --fmax): circuit, weight, points, parameters
    [{name, value, stdError, unit}], rmsRelative, rmsOhm, chiSquare,
    converged, iterations, seconds. Elements R, C, L, CPE, W, Wo, Ws, G with
    an index, "-" in series, "p(a,b,...)" in parallel: "R0-p(R1,C1)".
    initial gives some starting values ({"R1": 10} or "R1=10,C1=1e-6"),
    the others are read off the data. global_seconds implies global_search.
    A parameter the data do not determine has stdError None and raises a
    RuntimeWarning. ValueError for a circuit that does not parse (naming the
    position), a sweep that is no impedance, or a fit that cannot run."""

def kramers_kronig(
    sweep: Sweep,
    *,
    fit: Literal["real", "imag", "complex"] = "real",
    c: float = 0.85,
    max_m: int = 50,
    capacitance: bool = False,
    fmin: Optional[float] = None,
    fmax: Optional[float] = None,
) -> dict[str, Any]:
    """The linear Kramers-Kronig test of an impedance, the exporter's -f kk
    document (--kk-fit, --kk-c, --kk-max-m, --kk-capacitance, --fmin,
    --fmax): M, mu, c, fit, capacitance, frequency, residualsReal,
    residualsImag, maxResidual; residuals (Z - Z_fit)/|Z| in ascending
    frequency. ValueError for a sweep that is no impedance."""

def lcr(sweep: Sweep) -> dict[str, npt.NDArray[np.float64]]:
    """What an LCR meter reads off an impedance at each frequency: the
    columns of the exporter's -f lcr (frequency, absZ, thetaDeg, Rs, Xs,
    Cs, Ls, Rp, Xp, Cp, Lp, D, Q) as arrays in ascending frequency, NaN for
    a cell the exporter leaves empty. ValueError for a sweep that is no
    impedance."""

class Model:
    """A rational model fitted to a sweep:
    H(f) = gain * prod(j*f - zeros) / prod(j*f - poles) * exp(-j*2*pi*f*delay)
    with poles and zeros in Hz (both members of each conjugate pair)."""

    @property
    def poles(self) -> npt.NDArray[np.complex128]: ...
    @property
    def zeros(self) -> npt.NDArray[np.complex128]: ...
    @property
    def gain(self) -> float: ...
    @property
    def delay(self) -> float:
        """Seconds, 0 unless fitted."""
    @property
    def rms_db(self) -> float:
        """RMS error against the points fitted, in dB."""
    @property
    def rms_deg(self) -> float:
        """RMS error against the points fitted, in degrees."""
    def evaluate(self, f: npt.ArrayLike) -> Union[complex, npt.NDArray[np.complex128]]:
        """The complex response at the frequencies f (Hz), in f's shape."""
    def laplace(self) -> str:
        """The model as a circuit simulator's Laplace= expression in s."""
    def to_dict(self) -> dict[str, Any]:
        """The exporter's -f model document."""

def fit_model(
    sweep: Sweep,
    *,
    order: Optional[int] = None,
    delay: bool = False,
    fmin: Optional[float] = None,
    fmax: Optional[float] = None,
) -> Model:
    """Fits a model as -f model does: order 1 to 20 poles, or the order chosen
    automatically (None); delay also fits a pure delay; fmin and fmax (Hz,
    ends included) limit the points fitted. ValueError when the sweep cannot
    be fitted (fewer points than unknowns, no usable point)."""

class Page:
    """A page as the exporter draws it, drawn offscreen on demand. A notebook
    shows it inline."""

    def png(self, zoom: float = 100) -> bytes:
        """The page as on screen at zoom percent (10 to 1000): -f png --zoom."""
    def svg(self) -> str:
        """The page at true size, text kept as text: -f svg."""
    def pdf(self) -> bytes:
        """The page at true size: -f pdf (SOURCE_DATE_EPOCH fixes its date)."""
    def drawing(self) -> dict[str, Any]:
        """The built sheet: the -f drawing document."""
    def _repr_png_(self) -> bytes: ...

def page(
    sweep_or_path: Union[Sweep, PathLike],
    *,
    view: Literal["bode", "nyquist", "nichols", "complex"] = "bode",
    loop: Literal["open", "closed", "sensitivity"] = "open",
    overlays: Iterable[PathLike] = (),
    difference: Optional[PathLike] = None,
    settings: Optional[PathLike] = None,
    **properties: Any,
) -> Page:
    """The page of a sweep, or of a file (a stepped file's other steps laid
    over it), as the exporter makes it with --view, --loop, --overlay,
    --difference and -s. settings is read over the factory defaults; None
    gives the factory defaults, never the viewer's settings file. Any other
    keyword sets a page property by its name with dots written as
    underscores (title="Loop A", axis_gain_max=20), in the settings file's
    words and numbers (True/False for Y/N, (r, g, b) for a colour), after
    settings, view and loop: an unknown name raises TypeError, a value the
    property cannot take ValueError. A reference with no frequency in common
    with the page raises ValueError."""

def properties() -> list[tuple[str, str, str, str, str]]:
    """Every page property page() takes by keyword: (name, type, factory
    value, words or range, help), as fernplot-export --properties lists
    them."""

def write(
    sweep: Sweep, path: PathLike, format: Literal["csv", "s2p", "s1p", "spice", "json"]
) -> None:
    """Writes the sweep as the exporter's -f csv, s2p, spice or json would,
    whole or not at all (a failed write leaves no partial file): OSError
    when it cannot be written. An impedance is written as "s1p", the
    one-port Touchstone file of its Z in ohms that -f s2p writes of it
    ("# Hz Z RI R 1"); "s2p" of an impedance and "s1p" of a ratio raise
    ValueError."""

def scan(pattern: PathLike) -> list[dict[str, Any]]:
    """The rows of the exporter's -l for a search pattern ("folder/*.DAT"):
    name, kind, points (None when unreadable), date (None when unreadable),
    and title (the reader's message for an unreadable file). OSError when
    the folder is missing or cannot be read."""
