#pragma once
// The POSIX file calls csvstream.cpp makes, on Windows' C library: files
// opened binary (text mode would drop every CR) and not inherited, reading
// at an offset, and a temporary file that goes when it is closed.
#ifdef _WIN32

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <random>
#include <string>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#ifndef O_CLOEXEC
#define O_CLOEXEC (_O_NOINHERIT | _O_BINARY)
#endif

inline long long pread(int fd, void* data, std::size_t size, long long offset)
{
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(static_cast<unsigned long long>(offset) >> 32);
    DWORD got = 0;
    const DWORD wanted = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (ReadFile(file, data, wanted, &got, &at))
        return got;
    if (GetLastError() == ERROR_HANDLE_EOF)
        return 0;
    errno = EIO;
    return -1;
}

namespace tamrikcalc {

// Removed by Windows when closed, however the run ends.
inline int windowsTemporaryFile()
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::filesystem::path name = folder / ("tamrik-calc." + std::to_string(device()) + ".tmp");
        const int fd = ::_wopen(name.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_TEMPORARY | O_CLOEXEC,
                                _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

}  // namespace tamrikcalc

#endif
