#include "scrpack/studio/StudioServer.h"

#include "scrpack/files/WorkFolder.h"
#include "scrpack/studio/EmbeddedFiles.h"
#include "scrpack/studio/StudioApi.h"

#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

const char* ContentType(const std::string& name)
{
    if (name.ends_with(".html"))
        return "text/html; charset=utf-8";
    if (name.ends_with(".css"))
        return "text/css; charset=utf-8";
    if (name.ends_with(".js"))
        return "text/javascript; charset=utf-8";
    if (name.ends_with(".svg"))
        return "image/svg+xml";
    return "application/octet-stream";
}

void ServeEmbedded(const std::string& name, httplib::Response& response)
{
    const EmbeddedFile* file = FindEmbeddedFile(name);
    if (!file) {
        response.status = 404;
        response.set_content("not found", "text/plain");
        return;
    }
    response.set_content(reinterpret_cast<const char*>(file->data), file->size, ContentType(name));
    response.set_header("Cache-Control", "no-cache");
}

} // namespace

StudioServer::StudioServer(StudioSetup setup) : parts_(std::make_unique<Parts>(std::move(setup)))
{
}

StudioServer::~StudioServer()
{
    Stop();
}

int StudioServer::Port() const
{
    return parts_->port;
}

const std::string& StudioServer::Token() const
{
    return parts_->token;
}

std::string StudioServer::Address() const
{
    return "http://127.0.0.1:" + std::to_string(parts_->port) + "/?token=" + parts_->token;
}

bool StudioServer::Start(std::string& error)
{
    Parts& p = *parts_;
    if (p.work.Path().empty()) {
        error = "cannot make a temporary folder";
        return false;
    }
    if (!p.document.Load(error))
        return false;
    httplib::Server& server = p.server;
    // Every request may wait on a decode; thumbnails come many at a time.
    server.new_task_queue = [] { return new httplib::ThreadPool(16); };
    // The form around an upload adds a little; httplib answers 413 to anything larger.
    server.set_payload_max_length(p.setup.maxUploadBytes + (64 << 10));
    p.port = p.setup.port > 0 ? (server.bind_to_port("127.0.0.1", p.setup.port) ? p.setup.port : -1)
                              : server.bind_to_any_port("127.0.0.1");
    if (p.port <= 0) {
        error = "cannot listen on 127.0.0.1" + (p.setup.port > 0 ? ":" + std::to_string(p.setup.port) : "");
        return false;
    }
    p.guard.emplace(p.token, p.port);
    server.set_pre_routing_handler([&p](const httplib::Request& request, httplib::Response& response) {
        RequestFacts facts{request.method, request.get_header_value("Host"), request.get_header_value("Origin"),
                           request.get_header_value("Cookie"), request.get_param_value("token")};
        const Verdict verdict = p.guard->Check(facts);
        if (verdict == Verdict::Allowed) {
            response.set_header("X-Content-Type-Options", "nosniff");
            response.set_header("Content-Security-Policy",
                                "default-src 'self'; img-src 'self' blob: data:; media-src 'self' blob:; "
                                "connect-src 'self'; frame-ancestors 'none'");
            return httplib::Server::HandlerResponse::Unhandled;
        }
        response.status = verdict == Verdict::WrongHost ? 421 : verdict == Verdict::WrongOrigin ? 403 : 401;
        response.set_content(verdict == Verdict::WrongHost ? "this server answers to 127.0.0.1 only\n"
                                 : verdict == Verdict::WrongOrigin
                                 ? "changes are taken from the studio's own page only\n"
                                 : "open the address scrpack studio printed (it carries the session's token)\n",
                             "text/plain");
        return httplib::Server::HandlerResponse::Handled;
    });
    server.Get("/", [&p](const httplib::Request& request, httplib::Response& response) {
        // The token moves from the address into a cookie, and out of the address bar and its history.
        if (request.has_param("token")) {
            response.set_header("Set-Cookie", p.guard->SetCookieValue());
            response.set_redirect("/", 303);
            return;
        }
        ServeEmbedded("index.html", response);
    });
    server.Get(R"(/([a-z]+\.(js|css|svg)))", [](const httplib::Request& request, httplib::Response& response) {
        ServeEmbedded(request.matches[1], response);
    });
    AddStudioApi(p);
    p.listener = std::thread([&server] { server.listen_after_bind(); });
    // Every picture's thumbnail, made on every core while the author looks at the first ones: those the
    // page asks for first are made first all the same, since they wait for the same cores.
    auto pictures = std::make_shared<std::vector<std::string>>(LibraryPictures(p));
    auto next = std::make_shared<std::atomic<size_t>>(0);
    for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i) {
        p.warmers.emplace_back([&p, pictures, next] {
            // Behind everything the page asks for: these only get ahead of it.
            setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
            for (size_t k; !p.stopping && (k = (*next)++) < pictures->size();) {
                if (auto path = p.folder.Resolve((*pictures)[k]))
                    p.thumbnails.Get(*path, kThumbnailSide, 0);
            }
        });
    }
    for (int i = 0; i < 500 && !server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return true;
}

void StudioServer::Stop()
{
    Parts& p = *parts_;
    p.stopping = true;
    for (std::thread& warmer : p.warmers)
        warmer.join();
    p.warmers.clear();
    p.preview.Stop();
    if (p.listener.joinable()) {
        p.server.stop();
        p.listener.join();
    }
}
