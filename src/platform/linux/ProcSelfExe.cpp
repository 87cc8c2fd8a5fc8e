#include "platform/linux/ProcSelfExe.h"

#include <filesystem>
#include <system_error>

std::string ProcSelfExe::executablePath() const {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}
