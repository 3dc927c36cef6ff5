#include "ui/user_interaction.h"

namespace tarvo::ui {

int SilentInteraction::askEx(Owner, const std::string&, const std::string&, int, int) { return kReplyNo; }
void SilentInteraction::error(Owner, const std::string&) {}
void SilentInteraction::warning(Owner, const std::string&, const std::string&) {}
void SilentInteraction::info(Owner, const std::string&, const std::string&) {}
void SilentInteraction::progressText(int, const std::string&) {}
void SilentInteraction::progressBar(long, long) {}
void SilentInteraction::letEventsThrough() {}
std::string SilentInteraction::chooseFolder(Owner, const std::string&, const std::string&) { return {}; }
std::string SilentInteraction::chooseFile(Owner, const std::string&, const std::string&) { return {}; }
std::optional<std::string> SilentInteraction::askPassword(Owner, const std::string&) { return std::nullopt; }

namespace {

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
