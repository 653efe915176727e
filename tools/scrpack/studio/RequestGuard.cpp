#include "scrpack/studio/RequestGuard.h"

#include <random>

namespace {

// The value of one cookie in a Cookie header ("a=1; qm_studio_8080=abc").
std::string CookieValue(const std::string& header, const std::string& name)
{
    size_t pos = 0;
    while (pos < header.size()) {
        size_t end = header.find(';', pos);
        if (end == std::string::npos)
            end = header.size();
        std::string pair = header.substr(pos, end - pos);
        const size_t first = pair.find_first_not_of(' ');
        pair = first == std::string::npos ? "" : pair.substr(first);
        if (pair.size() > name.size() && pair.compare(0, name.size(), name) == 0 && pair[name.size()] == '=')
            return pair.substr(name.size() + 1);
        pos = end + 1;
    }
    return "";
}

} // namespace

bool SameSecret(const std::string& a, const std::string& b)
{
    if (a.empty() || a.size() != b.size())
        return false;
    unsigned difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i]) ^ static_cast<unsigned char>(b[i]);
    return difference == 0;
}

std::string NewSessionToken()
{
    std::random_device random;
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i) {
        const unsigned byte = random() & 0xff;
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

bool RequestGuard::IsOwnHost(const std::string& host) const
{
    const std::string port = ":" + std::to_string(port_);
    return host == "127.0.0.1" + port || host == "localhost" + port;
}

bool RequestGuard::IsOwnOrigin(const std::string& origin) const
{
    return origin.rfind("http://", 0) == 0 && IsOwnHost(origin.substr(7));
}

std::string RequestGuard::SetCookieValue() const
{
    return CookieName() + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict";
}

Verdict RequestGuard::Check(const RequestFacts& request) const
{
    if (!IsOwnHost(request.host))
        return Verdict::WrongHost;
    const bool reads = request.method == "GET" || request.method == "HEAD";
    // A browser names the page behind every change it sends; one from anywhere else is refused even with
    // the cookie, which the browser would add to it.
    if (!reads && !IsOwnOrigin(request.origin))
        return Verdict::WrongOrigin;
    const std::string& given =
        request.queryToken.empty() ? CookieValue(request.cookie, CookieName()) : request.queryToken;
    return SameSecret(given, token_) ? Verdict::Allowed : Verdict::NoToken;
}
