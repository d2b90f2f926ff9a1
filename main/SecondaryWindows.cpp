#include "main/SecondaryWindows.h"

#include "VantrelVersion.h"
#include "main/CommandIds.h"

const SecondaryWindowDescription kSecondaryWindows[WindowCount - 1] = {
    {WindowExecute, LanguageKey::Execute, 360, 135, false},
    {WindowNewAutorun, LanguageKey::NewAutorun, 360, 225, false},
    {WindowProcessInformation, LanguageKey::ProcessInformation, 450, 640, true},
    {WindowDiagram, LanguageKey::Diagram, 425, 300, true},
    {WindowPreferences, LanguageKey::Preferences, 520, 420, false},
    {WindowSearch, LanguageKey::Search, 620, 380, true},
    {WindowAbout, LanguageKey::About, 290, 280, false},
    {WindowDatabaseWait, LanguageKey::About, 240, 90, false},
};

const int kDisabledWhileModal[4] = {0, WindowProcessInformation, WindowDiagram, WindowSearch};

const char kLicenseText[] =
    "Vantrel is free to use, copy and give away, unchanged or changed, for any purpose, as long as this "
    "notice stays with it.\r\n\r\n"
    "Vantrel comes without any warranty. Ending processes, stopping services and changing autoruns can "
    "make a system unstable; you use these functions at your own risk. The authors are not liable for "
    "any damage or loss that comes from using the program.\r\n\r\n"
    "The icons come from the Tango Desktop Project, which placed them in the public domain.";

std::string SecondaryWindowTitle(const SecondaryWindowDescription& description) {
    return description.window == WindowDatabaseWait ? std::string("Vantrel") : LanguageText(description.title);
}

bool IsModalWindow(int window) {
    return window == WindowExecute || window == WindowNewAutorun || window == WindowPreferences ||
           window == WindowAbout;
}

AboutLayout AboutWindowLayout(int clientWidth, int clientHeight) {
    const int width = clientWidth - 24;
    AboutLayout layout;
    layout.icon = {12, 12, 32, 32};
    layout.labels = {
        {ControlAboutPanelFirst + 1, "Vantrel", {56, 12, width - 44, 16}},
        {ControlAboutPanelFirst + 2,
         LanguageText(LanguageKey::Version) + " " + VANTREL_VERSION_TEXT,
         {56, 29, width - 44, 16}},
        {ControlAboutPanelFirst + 3,
         ExpandLineBreaks(LanguageText(LanguageKey::VTLAboutInformation)),
         {12, 56, width, 76}},
        {ControlAboutPanelFirst + 4, LanguageText(LanguageKey::IconsSource), {12, 136, width, 30}},
        {ControlAboutPanelFirst + 5, LanguageText(LanguageKey::Logo), {12, 168, width, 16}},
        {ControlAboutPanelFirst + 6, LanguageText(LanguageKey::Others), {12, 186, width, 30}},
    };
    layout.licenseText = {12, 12, width, clientHeight - 60};
    const int buttonY = clientHeight - 36;
    layout.license = {12, buttonY, 100, 24};
    layout.information = {12, buttonY, 100, 24};
    layout.close = {clientWidth - 112, buttonY, 100, 24};
    return layout;
}
