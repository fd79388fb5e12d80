#pragma once

// The little JSON the command-line tool writes: UTF-8 strings escaped as the
// format requires, numbers, booleans. Objects are written by the callers.

#include <string>
#include <string_view>
#include <vector>

namespace indikt::cli {

void AppendJsonString(std::string& out, std::string_view text);
void AppendJsonInt(std::string& out, long long value);
// `["a","b"]`
void AppendJsonStringArray(std::string& out, const std::vector<std::string>& texts);

// `"key":` with the comma before it unless `first`.
void AppendJsonKey(std::string& out, std::string_view key, bool first = false);

}  // namespace indikt::cli
