// Replaced by the renderer sources.
