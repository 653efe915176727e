#include "app/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}
} // namespace

OneShotCommand ClassifyFirstArgument(const char* firstArgument)
{
    if (!firstArgument)
        return OneShotCommand::None;
    if (std::strcmp(firstArgument, "/setdef") == 0)
        return OneShotCommand::SetDefault;
    if (std::strcmp(firstArgument, "/ins") == 0)
        return OneShotCommand::Install;
    std::string upper(firstArgument);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (upper.find("/A") != std::string::npos)
        return OneShotCommand::ChangePassword;
    return OneShotCommand::None;
}

int32_t LeadingNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            value = int64_t(INT32_MAX) + 1;
    }
    if (negative)
        value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

ParsedCommandLine ParseCommandLine(std::string_view line, const std::function<uint32_t()>& foregroundWindow)
{
    size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        size_t blank = line.find_first_of(" \t");
        i = blank == std::string_view::npos ? line.size() : blank + 1;
    }
    while (i < line.size() && IsBlank(line[i]))
        ++i;

    ParsedCommandLine result;
    if (i >= line.size()) {
        result.mode = StartMode::Configure;
        return result;
    }
    if (line[i] == '-' || line[i] == '/')
        ++i;
    if (i >= line.size())
        return result;

    auto numberAfterSeparators = [&](size_t from) {
        while (from < line.size() && (IsBlank(line[from]) || line[from] == ':'))
            ++from;
        return from;
    };
    switch (std::toupper(static_cast<unsigned char>(line[i]))) {
    case 'A':
        result.mode = StartMode::ChangePassword;
        result.window = static_cast<uint32_t>(LeadingNumber(line.substr(numberAfterSeparators(i + 1))));
        break;
    case 'C': {
        result.mode = StartMode::Configure;
        size_t from = numberAfterSeparators(i + 1);
        if (from >= line.size())
            result.window = foregroundWindow ? foregroundWindow() : 0;
        else
            result.window = static_cast<uint32_t>(LeadingNumber(line.substr(from)));
        break;
    }
    case 'P':
    case 'L':
        result.mode = StartMode::Preview;
        result.window = static_cast<uint32_t>(LeadingNumber(line.substr(numberAfterSeparators(i + 1))));
        break;
    case 'S': result.mode = StartMode::Saver; break;
    default: break;
    }
    return result;
}

bool RunsAsProgram(bool projectSaysProgram, const std::string& programPath)
{
    if (projectSaysProgram)
        return true;
    size_t at = Lower(programPath).find(".exe");
    return at != std::string::npos && at > 0;
}

StartMode ResolveStartMode(StartMode parsed, bool projectSaysProgram, const std::string& programPath)
{
    if (RunsAsProgram(projectSaysProgram, programPath))
        return StartMode::Program;
    if (parsed == StartMode::None)
        return StartMode::Configure;
    return parsed;
}
