#include "cli.h"

#include "calendar/date.h"

#include <ctime>
#include <iostream>

namespace {

indikt::Date LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return indikt::FromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return indikt::cli::RunCli(arguments, LocalToday(), std::cout, std::cerr);
}
