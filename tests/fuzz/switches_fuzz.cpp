// Switch matching over arbitrary command lines and switch texts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/switches.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte splits the rest into the switch text and the command line.
    size_t split = data[0] % size;
    std::string switchText(reinterpret_cast<const char*>(data + 1), split);
    std::string commandLine(reinterpret_cast<const char*>(data + 1 + split), size - 1 - split);
    switchText = switchText.c_str();
    commandLine = commandLine.c_str();
    if (SwitchPresent(commandLine.c_str(), switchText.c_str())) {
        size_t extra = commandLine.size() - switchText.size();
        if (commandLine.size() < switchText.size() || extra > 1 ||
            commandLine.compare(extra, std::string::npos, switchText) != 0)
            abort();
    }
    return 0;
}
