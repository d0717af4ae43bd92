#pragma once
// What both runtimes share when they save a file away from the event loop:
// the limit of the wait for the folder, the words for a folder that does
// not answer, the temporary file's name, and the handover between the
// saving thread and the program, which may give up on it.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

namespace dravelo::platform {

// How long the program waits for the folder, for each save, before it
// gives up and tells the user: the same as for the print service.
inline constexpr std::chrono::seconds kFolderAnswerLimit{10};

// What a save cut short by the end of the program answers.
inline constexpr const char* kSaveCutShort = "Il programma è terminato prima della fine del salvataggio.";

// The sentence for a save whose folder did not answer within the limit.
// movingIntoPlace: the file had been written and was being moved into
// place, so it may still appear, whole, under its name.
std::string folderNoAnswerText(const std::string& folder, bool movingIntoPlace);

// The temporary file's name beside the target: "~" and letters and digits
// from the random number, no longer than the final name (finalLength
// characters) and at most eight, so that it fits wherever the final name
// fits. Never a device name of Windows.
std::string temporaryFileName(std::size_t finalLength, std::uint64_t random);

// Shared by a save running on a thread of its own and the program waiting
// for it. Either the save learns in time that the program gave up, and
// removes its temporary file instead of moving it into place, or the
// program learns that the move was already under way: never neither, so a
// save given up on never replaces a file later.
class SaveHandover {
public:
    // The saving thread, just before the move: false when the program has
    // given up on it.
    bool mayMoveIntoPlace()
    {
        moving_.store(true);
        return !givenUp_.load();
    }
    // The program, at the limit: true when the move was already under way.
    bool giveUp()
    {
        givenUp_.store(true);
        return moving_.load();
    }

private:
    std::atomic<bool> moving_{false};
    std::atomic<bool> givenUp_{false};
};

} // namespace dravelo::platform
