#pragma once
// The commands of the run window: how a typed command becomes a program, its arguments and its
// working folder, and the history of the commands that started, kept until the program exits.

#include <string>
#include <string_view>
#include <vector>

// A typed command taken apart. A command that starts with a double quote names its program
// inside the quotes and may carry arguments after them; any other command is the program as a
// whole, so that an unquoted path with spaces still works.
struct RunCommand {
    std::string program;
    std::string arguments;
};

RunCommand SplitRunCommand(std::string_view command);

// The ways to read a typed command, to be tried in this order until one starts: the split above,
// then, for an unquoted command with blanks, the program ending at each blank from the left with
// the rest as its arguments ("notepad notes.txt" as the run box of the system takes it).
std::vector<RunCommand> RunCommandReadings(std::string_view command);

// The folder part of a program path, up to and including its last backslash (or slash); empty for
// a bare name such as "notepad", which the system looks up along its search path.
std::string ProgramFolder(std::string_view program);

// The readings worth trying: a later, shorter reading that names a folder would open that folder
// instead of starting the program.
std::vector<RunCommand> StartableReadings(std::string_view command);

// The working folder of a program: its folder part when that is a folder. A bare name has none (the
// system searches for it and the new process inherits ours), nor has a command whose folder part is
// no folder (a web address, say), which the shell would otherwise refuse as a working folder.
std::string RunWorkingFolder(std::string_view program);

// The browse dialog's filter: name and patterns of programs, then of all files, each part ending
// with a NUL and the whole with another.
std::string RunBrowseFilter();

// The arguments of the command followed by those of the parameter field, one space between.
std::string JoinArguments(std::string_view first, std::string_view second);

// The path in double quotes when it holds a space and is not quoted already, so that a chosen
// file reads back as one program.
std::string QuotedWhenSpaced(std::string_view path);

// Adds the command unless the history holds it already; Windows paths ignore letter case, so the
// comparison does too. Surrounding blanks are not part of a command. True when it was added.
bool AddToRunHistory(std::vector<std::string>& history, std::string_view command);

// The commands started through the run window in this session, oldest first; shared with the
// autorun editor's command list.
std::vector<std::string>& RunCommandHistory();
