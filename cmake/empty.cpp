// Placeholder translation unit: the shared library consists of the vrkcore archive.
