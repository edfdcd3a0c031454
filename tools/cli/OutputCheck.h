#pragma once
// The one check every writing command makes before it writes: an output must
// not be one of the files the command reads (nor another of its outputs), or
// writing it would destroy what is being read. Files are compared by identity
// (device and inode once links are followed; a file that does not exist yet
// by its folder's resolved path and its name), so "./R.axv", "dir/../R.axv",
// a symbolic link and a hard link all count as R.axv.

#include <string>
#include <vector>

// A file named on the command line: how it was given ("--csv", "the run")
// and its path.
struct NamedFile {
    std::string role;
    std::string path;
};

// Refuses (usage error, nothing written) an output naming the same file as
// one of `others`.
void refuseSameFile(const NamedFile& output, const std::vector<NamedFile>& others);
// refuseSameFile, then checks that the output can be written (checkWritable).
void checkOutput(const NamedFile& output, const std::vector<NamedFile>& others);
