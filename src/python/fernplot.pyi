"""Sweep files, figures, model fits and pages from Python."""

__version__: str
