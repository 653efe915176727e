#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

std::string LastSystemErrorText()
{
    return std::strerror(errno);
}
