// Strict reading of text .x mesh files, written out again in one plain form.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads a text .x file (header "xof ", format "txt ") and writes what meshes
// are built from in one form: frames with their transforms, meshes with
// normals, texture coordinates and material lists, every material written
// where it is used. Names, templates, references to frames and objects of
// other kinds (animation, skinning, vertex colours) are left out. None for
// text that is not a well-formed file of that kind: a count the file does not
// hold, a face of fewer than three corners or naming a missing vertex, normals
// or texture coordinates that do not match the mesh, a face naming a missing
// material, a reference to an unknown material, a number that is not finite.
// `why`, when given, receives the reason for none.
std::optional<std::string> CanonicalXFileText(std::string_view text, std::string* why = nullptr);
