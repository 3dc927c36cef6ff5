#include "safety/manifest.h"

#include <fstream>
#include <sstream>

#include "safety/durable_files.h"
#include "safety/safety_error.h"

namespace tarvo::safety {

namespace {
constexpr const char* kFirstLine = "TARVO-BACKUP 1";

// Values are single lines: line breaks in option texts become blanks.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}
}  // namespace

uint64_t Manifest::totalSize() const {
    uint64_t total = 0;
    for (const BackedUpFile& f : files) total += f.size;
    return total;
}

bool Manifest::interrupted() const { return (state == "running" && restore.rfind("restored", 0) != 0) || restore == "restoring"; }

void writeManifest(const std::filesystem::path& backupFolder, const Manifest& m) {
    std::ostringstream out;
    out << kFirstLine << "\n"
        << "database=" << oneLine(m.database) << "\n"
        << "started=" << oneLine(m.started) << "\n"
        << "pid=" << m.pid << "\n"
        << "kind=" << oneLine(m.kind) << "\n"
        << "options=" << oneLine(m.options) << "\n"
        << "state=" << oneLine(m.state) << "\n"
        << "restore=" << oneLine(m.restore) << "\n";
    for (const BackedUpFile& f : m.files) out << "file " << f.size << " " << f.sha256 << " " << f.name << "\n";
    out << "end " << m.files.size() << "\n";
    replaceFileDurably(backupFolder / kManifestName, out.str());
}

Manifest readManifest(const std::filesystem::path& backupFolder) {
    const std::filesystem::path path = backupFolder / kManifestName;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SafetyError("Cadangan tidak lengkap, " + path.string() + " tidak ada");
    auto damaged = [&](const std::string& why) {
        return SafetyError("Cadangan rusak : " + path.string() + " ( " + why + " )");
    };
    std::string line;
    if (!std::getline(in, line) || line != kFirstLine) throw damaged("not a backup manifest");
    Manifest m;
    bool ended = false;
    while (std::getline(in, line)) {
        if (line.rfind("file ", 0) == 0) {
            std::istringstream words(line.substr(5));
            BackedUpFile f;
            words >> f.size >> f.sha256;
            words.get();
            std::getline(words, f.name);
            if (!words.eof() && words.fail()) throw damaged("bad file line");
            if (f.sha256.size() != 64 || f.name.empty() || f.name.find('/') != std::string::npos)
                throw damaged("bad file line: " + line);
            m.files.push_back(f);
        } else if (line.rfind("end ", 0) == 0) {
            if (line.substr(4) != std::to_string(m.files.size())) throw damaged("file count does not match");
            ended = true;
            break;
        } else if (size_t eq = line.find('='); eq != std::string::npos) {
            const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
            if (key == "database") m.database = value;
            else if (key == "started") m.started = value;
            else if (key == "pid") m.pid = std::atol(value.c_str());
            else if (key == "kind") m.kind = value;
            else if (key == "options") m.options = value;
            else if (key == "state") m.state = value;
            else if (key == "restore") m.restore = value;
        } else {
            throw damaged("unreadable line: " + line);
        }
    }
    if (!ended) throw damaged("it ends too early");
    if (m.database.empty() || m.state.empty()) throw damaged("database or state missing");
    return m;
}

}  // namespace tarvo::safety
