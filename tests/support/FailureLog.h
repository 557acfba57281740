#pragma once
// What qorconvert.log holds for a source that a job could not convert: one line of its path and
// the verdict, ended as Windows ends lines.
#include <string>

constexpr char kFailureVerdict[] = "  转换失败";

inline std::string FailureLogLine(const std::string& source) {
    return source + kFailureVerdict + "\r\n";
}
