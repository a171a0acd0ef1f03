# Property sheet widget tests.
