// Reading a lathe file from the disk, for the front ends that have one: the
// window's File menu and the tool's --lathe. The core reads the text
// (ReadLathe); the web build, which has no files, leaves this layer out.
#pragma once

#include "lathe.h"

#include <filesystem>

// Reads the lathe file at path as ReadLathe does, taking no more of it than a
// lathe file may hold; a path that is not a readable file is a problem of the
// file as a whole, and tells whether the file is gone.
LatheProblem LoadLathe(const std::filesystem::path& path, Lathe& lathe);
