// A PJLink connection with a password fed any bytes: nothing is answered before the digest
// came, PJLINK ERRA ends the connection for good, and the session holds a bounded input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzScript.h"
#include "gateway/GatewayRig.h"
#include "gateway/PjlinkSession.h"

namespace {

using namespace zoma::gateway;

// PJLink 1.00's example: the rig's random number "498e4a67" and this password.
constexpr std::string_view kPassword = "JBMIAProjectorLink";
constexpr std::string_view kDigest = "5d8409bc1c3fa39749434aa3a5c38682";
constexpr std::string_view kGreeting = "PJLINK 1 498e4a67\r";

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GatewaySettings settings;
    settings.password = std::string(kPassword);
    testing::GatewayRig rig(settings);
    testing::RecordingConnection connection;
    PjlinkSession session(rig.gateway, connection, "fuzz");
    session.start();
    ZOMA_FUZZ_CHECK(connection.sent == kGreeting);

    std::string fed;
    Script script(data, size);
    while (!script.done()) {
        std::string bytes;
        switch (script.next() % 6) {
            case 0:
                bytes = script.take(script.next() % 64);
                break;
            case 1:
                bytes = std::string(kDigest);
                break;
            case 2: {  // a long run of one byte, past any line's limit
                const std::size_t length = 1 + static_cast<std::size_t>(script.next()) * 8;
                bytes.assign(length, static_cast<char>(script.next()));
                break;
            }
            case 3:
                rig.clock.advance(static_cast<std::int64_t>(script.next()) * 20);
                break;
            case 4:  // the projector says anything
                rig.port.deliver(script.take(script.next() % 8));
                break;
            case 5:
                if (rig.port.isOpen()) {
                    rig.port.failWhileOpen("Input/output error");
                } else {
                    rig.port.open();
                }
                break;
        }
        if (!bytes.empty()) {
            fed += bytes;
            session.receive(bytes);
        }

        const std::string_view sent = std::string_view(connection.sent).substr(kGreeting.size());
        const bool digestFed = lowerCase(fed).find(kDigest) != std::string::npos;
        // Authenticated only by a digest that was sent; answered only once authenticated.
        ZOMA_FUZZ_CHECK(!session.authenticated() || digestFed);
        if (sent.rfind("PJLINK ERRA\r", 0) == 0) {
            ZOMA_FUZZ_CHECK(sent.size() == 12 && connection.closed && session.closed());
        } else if (!sent.empty()) {
            ZOMA_FUZZ_CHECK(digestFed && sent[0] == '%');
        }
        ZOMA_FUZZ_CHECK(connection.sentAfterClose.empty());
        // Every response fits PJLink 1.00's line, CR included.
        std::size_t lineStart = 0;
        for (std::size_t i = 0; i < sent.size(); ++i) {
            if (sent[i] != '\r') continue;
            ZOMA_FUZZ_CHECK(i + 1 - lineStart <= kMaxLineLength);
            lineStart = i + 1;
        }
        ZOMA_FUZZ_CHECK(lineStart == sent.size());
        ZOMA_FUZZ_CHECK(session.bufferedBytes() <=
                        (PjlinkSession::kMaxWaitingLines + 1) * PjlinkSession::kMaxKeptLine);
    }
    return 0;
}
