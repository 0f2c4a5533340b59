#pragma once

// Runs the built fernwick-cli and collects what it printed.

#include <string>
#include <vector>

namespace fernwick::cli_testing {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult run_cli(const std::vector<std::string>& arguments);

// A file in a fresh temporary folder, removed with the object.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& content);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string folder_;
    std::string path_;
};

} // namespace fernwick::cli_testing
