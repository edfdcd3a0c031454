#pragma once
// Reading and writing the tool's files: population files through the
// engine's own loader and saver, text outputs (CSV, SVG) replaced atomically.

#include <string>

// Loads a population file into the evolution state through the program's
// loader (all its checks). A refusal throws a file error that carries the
// program's message and the loader's reason.
void loadRun(const std::string& path);

// Opens a population file as File / Open does (run control's openRunFile):
// its last generation shown, its best spider selected and elite. A refusal
// throws as loadRun does.
void openRun(const std::string& path);

// Saves the evolution state; a failure throws a file error saying why (an
// existing file is left as it was).
void saveRun(const std::string& path);

// Writes text to `path`, replacing any file there whole or not at all.
void writeTextFile(const std::string& path, const std::string& text);

// Fails early (file error) when `path` cannot be written: its folder is
// missing or not writable, or it names a folder or another file that is not
// a regular file (a device, FIFO or socket).
void checkWritable(const std::string& path);

struct EvolutionState;

// Says on standard error, once, that the file at `path` (just read into
// `run`) carried a continuation record that cannot be used.
void warnOfDamagedContinuation(const EvolutionState& run, const std::string& path);
