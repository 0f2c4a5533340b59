#pragma once

// The process-wide settings every transfer starts from: the diagnostics of
// inet.h as last set, and whether transfers are allowed at all.

#include <memory>
#include <string>

#include "platform/inet.h"

namespace fernwick::platform {

struct TransferSettings {
    InternetDiagnostics diagnostics;
    // The system's trusted certificates followed by the extra ones, or null
    // when there are no extra ones and the system's store serves alone.
    std::shared_ptr<const std::string> trusted_certificates;
};

TransferSettings current_transfer_settings();

// True between abort_all_transfers() and allow_transfers().
bool transfers_blocked();

} // namespace fernwick::platform
