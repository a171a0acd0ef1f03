# Test sources for graph building.
