#pragma once
// TOWARY_EXPORT marks a class or function that leaves its shared library.
// Modules build with hidden visibility, so everything a module offers its host
// carries the mark; Core classes whose type must be one across libraries
// (exceptions the host catches by type) carry it too.

#define TOWARY_EXPORT __attribute__((visibility("default")))
