// The file the test executables' shared precompiled header is made for (cmake/NorvalePrecompiled.cmake).
