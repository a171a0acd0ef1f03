# SPDX-License-Identifier: MIT
"""The type stub beside the module names what the module has, and help()
reads."""
import ast
import pathlib
import pydoc

import fernplot


def stub_names():
    stub = pathlib.Path(fernplot.__file__).with_name("fernplot.pyi")
    tree = ast.parse(stub.read_text(encoding="utf-8"))
    names = {}
    for node in tree.body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            members = {n.name for n in node.body if isinstance(n, ast.FunctionDef)}
            names[node.name] = members
    return names


def test_the_stub_names_every_public_function_class_and_member():
    stub = stub_names()
    public = {n for n in dir(fernplot) if not n.startswith("_")}
    assert public == set(stub)
    for cls in ["Sweep", "Model", "Page"]:
        members = {n for n in dir(getattr(fernplot, cls)) if not n.startswith("_")}
        assert members <= stub[cls], cls
    assert {"frequency", "response", "gain_db", "phase_deg"} <= stub["Sweep"]


def test_help_describes_the_module():
    text = pydoc.render_doc(fernplot, renderer=pydoc.plaintext)
    for words in ["read(path", "fit_model(sweep", "class ReadError", "margin_reference"]:
        assert words in text
