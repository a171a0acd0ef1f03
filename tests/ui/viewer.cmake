# Viewer widget tests.
