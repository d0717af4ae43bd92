#include "platform/FileSaving.h"

#include <algorithm>

namespace dravelo::platform {

namespace {

constexpr std::size_t kShortestTemporaryName = 2;
constexpr std::size_t kLongestTemporaryName = 8;
constexpr const char kTemporaryMark = '~';
constexpr const char* kNameLetters = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::uint64_t kNameLetterCount = 36;

} // namespace

std::string folderNoAnswerText(const std::string& folder, bool movingIntoPlace)
{
    std::string text = "La cartella \"" + folder + "\" non ha risposto entro " +
                       std::to_string(kFolderAnswerLimit.count()) + " secondi";
    return text + (movingIntoPlace ? ": il file, già scritto, potrebbe comparire più tardi." : ".");
}

std::string temporaryFileName(std::size_t finalLength, std::uint64_t random)
{
    const std::size_t length = std::clamp(finalLength, kShortestTemporaryName, kLongestTemporaryName);
    std::string name(1, kTemporaryMark);
    while (name.size() < length) {
        name += kNameLetters[random % kNameLetterCount];
        random /= kNameLetterCount;
    }
    return name;
}

} // namespace dravelo::platform
