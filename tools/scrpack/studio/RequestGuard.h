#pragma once
#include <string>

// Who may talk to the studio's server. It listens on the loopback address only, yet any page the author
// opens in the same browser could send requests to it, and a name in DNS that comes to point to 127.0.0.1
// would make such a page same-origin with it. So every request must carry the session's random token (in
// the address printed at the start, then in a cookie), name the server itself in its Host header, and a
// request that changes anything must come from the studio's own page (its Origin).

struct RequestFacts {
    std::string method;     // "GET", "POST", ...
    std::string host;       // the Host header
    std::string origin;     // the Origin header, "" when absent
    std::string cookie;     // the Cookie header
    std::string queryToken; // the "token" parameter of the address
};

enum class Verdict {
    Allowed,
    WrongHost,   // 421: not addressed to this server by its loopback name
    WrongOrigin, // 403: a change asked for by another site's page
    NoToken,     // 401: not this session's token
};

class RequestGuard {
public:
    RequestGuard(std::string token, int port) : token_(std::move(token)), port_(port) { }

    Verdict Check(const RequestFacts& request) const;

    const std::string& Token() const { return token_; }
    // The cookie that carries the token, named after the port so two studios do not overwrite each other's.
    std::string CookieName() const { return "qm_studio_" + std::to_string(port_); }
    std::string SetCookieValue() const;
    // The addresses the page is served under.
    bool IsOwnHost(const std::string& host) const;
    bool IsOwnOrigin(const std::string& origin) const;

private:
    std::string token_;
    int port_;
};

// 32 random bytes from the system's generator, as hexadecimal.
std::string NewSessionToken();
// Compares without an early return, so the time taken tells nothing about where a guess goes wrong.
bool SameSecret(const std::string& a, const std::string& b);
