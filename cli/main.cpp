#include "cli.h"

#include "calendar/date.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

indikt::Date LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return indikt::FromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

// The data root is the folder of the program file.
std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return indikt::cli::RunCli(arguments, LocalToday(), std::cout, std::cerr, ProgramFolder());
}
