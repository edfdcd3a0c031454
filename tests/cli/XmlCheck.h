#pragma once
// Text checks for the tool's outputs. A small well-formedness check for the SVG the tool writes:
// one root, every element closed in order, attributes quoted, only the five predefined entities.
// Returns "" when well formed, else what is wrong.

#include <string>
#include <vector>

std::string xmlProblem(const std::string& text);

// The lines of a text, without their line ends.
std::vector<std::string> splitLines(const std::string& text);

// How many times `needle` occurs in `text`.
size_t occurrences(const std::string& text, const std::string& needle);
