#pragma once

// The program's internet client: a small layer in the shape of the Windows
// internet functions the request engine was written against, over libcurl.
// Handles are owned objects; 0 (nullptr) means failure. Only http and https.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

namespace fernwick::platform {

struct InternetObject;
using InternetHandle = InternetObject*;

constexpr std::uint32_t INTERNET_OPEN_TYPE_DIRECT = 1;
constexpr std::uint32_t INTERNET_OPEN_TYPE_PROXY = 3;
constexpr std::uint32_t INTERNET_SERVICE_HTTP = 3;

constexpr std::uint32_t INTERNET_FLAG_RELOAD = 0x80000000;
constexpr std::uint32_t INTERNET_FLAG_NEED_FILE = 0x00000010;
constexpr std::uint32_t INTERNET_FLAG_NO_COOKIES = 0x00080000;
constexpr std::uint32_t INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000;
constexpr std::uint32_t INTERNET_FLAG_SECURE = 0x00800000;
constexpr std::uint32_t INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS = 0x00004000;

constexpr std::uint32_t HTTP_QUERY_RAW_HEADERS_CRLF = 22;

// A session: the user agent, and either no proxy or the given proxy text
// ("HOST:PORT" for every address, "http=HOST:PORT" for plain-HTTP addresses only).
// A direct session uses no proxy whatever the environment says. A proxy
// session needs a proxy text; bypass lists are not supported (the bypass
// text must be empty). `flags` are not used. Without INTERNET_FLAG_NO_COOKIES
// its requests share a cookie engine of their own. The agent (like a
// request's referrer) is one header value: a line break ends it.
InternetHandle InternetOpenA(const Text& agent, std::uint32_t access_type, const Text& proxy,
                             const Text& proxy_bypass, std::uint32_t flags);
// A connection to a host and port within a session; no bytes travel yet.
// 0 for an empty host, a port outside 1..65535, a user name or password
// (not supported) or a service other than HTTP.
InternetHandle InternetConnectA(InternetHandle internet, const Text& host, int port, const Text& user,
                                const Text& password, std::uint32_t service, std::uint32_t flags,
                                std::uintptr_t context);
// A request on a connection. `accept_types` is unused by the program and must be null.
// An empty method means GET, an empty version HTTP/1.1; other versions than
// HTTP/1.0 and HTTP/1.1 give 0. Flags: INTERNET_FLAG_SECURE makes it HTTPS;
// INTERNET_FLAG_NO_COOKIES sends only the Cookie lines of the header block;
// INTERNET_FLAG_NO_AUTO_REDIRECT reads a redirect response as it is;
// INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS lets a plain-HTTP request follow a
// redirect to HTTPS. RELOAD and NEED_FILE change nothing: there is no cache.
// Redirects (301, 302, 303, 307, 308, at most 20) go to http and https only,
// never from HTTPS to plain HTTP; a redirect not followed is read as the response.
// On a redirect to another origin the block's Host, Cookie and Authorization
// lines stay behind.
InternetHandle HttpOpenRequestA(InternetHandle connection, const Text& method, const Text& path,
                                const Text& version, const Text& referrer, const char* const* accept_types,
                                std::uint32_t flags, std::uintptr_t context);
// Sends the request with the header block (lines separated by CR LF) and the
// body; returns once the final response's header block has arrived (or failed).
// A length of 0xFFFFFFFF means a zero-terminated block. The lines are sent as
// given; only Host, Content-Length and the session's User-Agent (unless the
// block has one) are added. A block line that is not one "Name: value" header
// fails the send. Content encodings are left to the caller.
bool HttpSendRequestA(InternetHandle request, const char* headers, std::uint32_t headers_length,
                      const void* body, std::uint32_t body_length);
// Reads up to `to_read` bytes of the body, at most 1024 a call; `*read` is 0
// at the end and after a failure, where the result is false.
bool InternetReadFile(InternetHandle request, void* buffer, std::uint32_t to_read, std::uint32_t* read);
// HTTP_QUERY_RAW_HEADERS_CRLF: the final response's status line and headers,
// each line ended by CR LF, then the empty line that ends them (CR LF), as
// WinInet gives it; zero-terminated. On success `*buffer_length` is the
// block's length without the terminator. Fails, leaving the buffer untouched
// and setting `*buffer_length` to the length needed with the terminator, when
// the block and its terminator do not fit. `index` must be null.
bool HttpQueryInfoA(InternetHandle request, std::uint32_t info_level, char* buffer, std::uint32_t* buffer_length,
                    std::uint32_t* index);
// Releases any handle, children before or after their parents; a 0 handle,
// or one already closed, does nothing and gives false.
bool InternetCloseHandle(InternetHandle handle);

// The switch for ending the program while transfers run: after
// abort_all_transfers() every transfer in progress fails within a fraction of
// a second (its reads give 0) and every later send fails at once, in every
// thread, until allow_transfers().
void abort_all_transfers();
void allow_transfers();

// Test and diagnostic settings, process-wide, set only by explicit calls
// (tests and fernwick-cli); nothing reads them from the environment. A
// transfer takes the settings in force when it starts; the extra CA files
// are read when the settings are set. Timeouts below 1 second count as 1.
struct InternetDiagnostics {
    std::vector<std::string> extra_ca_files;      // PEM files trusted besides the system store
    std::vector<std::string> connect_to;          // "HOST:PORT:HOST2:PORT2", as curl's --connect-to
    int connect_timeout_seconds = 30;             // a connection not made by then fails
    int stall_timeout_seconds = 60;               // a transfer with no byte for this long fails
                                                  // (libcurl's speed average: a few seconds more)
    bool reuse_connections = true;                // requests keep connections, DNS answers and TLS
                                                  // sessions for later requests of the same thread;
                                                  // off only to measure what reuse gains
};
void set_internet_diagnostics(const InternetDiagnostics& diagnostics);
InternetDiagnostics internet_diagnostics();

} // namespace fernwick::platform
