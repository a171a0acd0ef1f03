# Test sources for text, datafile and props.
