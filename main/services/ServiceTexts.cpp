#include "main/services/ServiceTexts.h"

#include <cctype>

std::optional<LanguageKey> ServiceStateKey(long state) {
    switch (state) {
        case 2:
            return LanguageKey::ServiceStarting;
        case 3:
            return LanguageKey::ServiceStopping;
        case 4:
            return LanguageKey::ServiceStarted;
        case 5:
            return LanguageKey::ServiceContinuing;
        case 6:
            return LanguageKey::ServicePausing;
        case 7:
            return LanguageKey::ServicePaused;
        default:
            return std::nullopt;
    }
}

std::optional<LanguageKey> ServiceStartTypeKey(long startType) {
    switch (startType) {
        case 0:
            return LanguageKey::AutorunBoot;
        case 1:
            return LanguageKey::AutorunSystem;
        case 2:
            return LanguageKey::AutorunAutomatically;
        case 3:
            return LanguageKey::AutorunManually;
        case 4:
            return LanguageKey::AutorunDeactivated;
        default:
            return std::nullopt;
    }
}

std::optional<LanguageKey> ServiceTypeKey(long serviceType) {
    switch (serviceType) {
        case 1:
            return LanguageKey::AutorunKernelDriver;
        case 2:
            return LanguageKey::AutorunFilesystemDriver;
        case 4:
            return LanguageKey::AutorunAdapterInformation;
        case 8:
            return LanguageKey::AutorunAdvancedFilesystemDriver;
        case 16:
            return LanguageKey::AutorunProcess;
        case 32:
            return LanguageKey::AutorunSharedProcess;
        case 272:
            return LanguageKey::AutorunInteractiveProcess;
        case 288:
            return LanguageKey::AutorunInteractiveSharedProcess;
        default:
            return std::nullopt;
    }
}

std::string ServiceKeyText(std::optional<LanguageKey> key) {
    return key ? LanguageText(*key) : std::string();
}

namespace {

void ReplaceSystemRoot(std::string& path, const std::string& windowsFolder) {
    static const std::string kSystemRoot = "%systemroot%";
    std::string lower = path;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = lower.find(kSystemRoot); at != std::string::npos; at = lower.find(kSystemRoot, from)) {
        result.append(path, from, at - from);
        result += windowsFolder;
        from = at + kSystemRoot.size();
    }
    result.append(path, from, std::string::npos);
    path = result;
}

}  // namespace

std::string ServiceExecutablePath(const std::string& configuredPath,
                                  const std::string& windowsFolder,
                                  const std::function<bool(const std::string&)>& fileExists) {
    std::string path = configuredPath;
    ReplaceSystemRoot(path, windowsFolder);
    if (!path.empty() && path[0] == '"') {
        std::size_t closing = path.find('"', 1);
        path = path.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    } else if (path.find(' ') != std::string::npos && !fileExists(path)) {
        path.resize(path.find(' '));
    }
    if (path.empty()) {
        return path;
    }
    if (path.size() < 2 || path[1] != ':') {
        path = windowsFolder + "\\" + path;
    }
    if (!fileExists(path) && fileExists(path + ".exe")) {
        path += ".exe";
    }
    return path;
}

ServiceActionTexts ServiceActionTextsOf(ServiceAction action) {
    switch (action) {
        case ServiceAction::Start:
            return {LanguageKey::ServiceStarting, LanguageKey::CanNotStartService};
        case ServiceAction::Stop:
            return {LanguageKey::ServiceStopping, LanguageKey::CanNotStopService};
        case ServiceAction::Pause:
            return {LanguageKey::ServicePausing, LanguageKey::CanNotPauseService};
        case ServiceAction::Continue:
            return {LanguageKey::ServiceContinuing, LanguageKey::CanNotResumeService};
        case ServiceAction::RunDeactivated:
            return {LanguageKey::ServiceRunDeactivated, LanguageKey::CanNotSetAutorun};
        case ServiceAction::RunAutomatic:
            return {LanguageKey::ServiceRunAutomatic, LanguageKey::CanNotSetAutorun};
        case ServiceAction::RunManual:
            break;
    }
    return {LanguageKey::ServiceRunManual, LanguageKey::CanNotSetAutorun};
}

std::string ServiceActionStartType(ServiceAction action) {
    switch (action) {
        case ServiceAction::RunDeactivated:
            return "4";
        case ServiceAction::RunAutomatic:
            return "2";
        case ServiceAction::RunManual:
            return "3";
        default:
            return std::string();
    }
}
