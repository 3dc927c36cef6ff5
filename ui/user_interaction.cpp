#include "ui/user_interaction.h"

namespace tarvo::ui {

namespace {

// Used until a front end installs its own: shows nothing and declines every question.
class SilentInteraction final : public UserInteraction {
public:
    int askEx(Owner, const std::string&, const std::string&, int, int) override { return kReplyNo; }
    void error(Owner, const std::string&) override {}
    void warning(Owner, const std::string&, const std::string&) override {}
    void info(Owner, const std::string&, const std::string&) override {}
    void progressText(int, const std::string&) override {}
    void progressBar(long, long) override {}
    void letEventsThrough() override {}
    std::string chooseFolder(Owner, const std::string&, const std::string&) override { return {}; }
    std::string chooseFile(Owner, const std::string&, const std::string&) override { return {}; }
    std::string askPassword(Owner, const std::string&) override { return {}; }
};

SilentInteraction silent;
UserInteraction* installed = &silent;

}  // namespace

UserInteraction& interaction() { return *installed; }

void setInteraction(UserInteraction* interaction) { installed = interaction ? interaction : &silent; }

int BOXASKEX(Owner owner, const std::string& title, const std::string& text, int boxType, int defaultButton) {
    return interaction().askEx(owner, title, text, boxType, defaultButton);
}

bool BOXASK(Owner owner, const std::string& title, const std::string& text, int defaultButton) {
    return BOXASKEX(owner, title, text, 4, defaultButton) == kReplyYes;
}

void BOXERROR(Owner owner, const std::string& text) { interaction().error(owner, text); }

void BOXWARNING(Owner owner, const std::string& title, const std::string& text) {
    interaction().warning(owner, title, text);
}

void BOXINFO(Owner owner, const std::string& title, const std::string& text) {
    interaction().info(owner, title, text);
}

}  // namespace tarvo::ui
