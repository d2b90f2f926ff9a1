#include "tests/server/ServerProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

std::string ServerProcess::Postgres() {
    const char* address = std::getenv("VTLDB_TEST_POSTGRES");
    return address ? address : "";
}

ServerProcess::ServerProcess(std::string database) : database_(std::move(database)) {
    const std::string postgres = Postgres();
    if (postgres.empty()) {
        return;
    }
    static int count = 0;
    const std::string name = "vtldb_" + std::to_string(getpid()) + "_" + std::to_string(++count);
    // A database that cannot be made leaves a name that fails to open, never a silent SQLite file.
    database_ = postgres + " dbname=" + name;  // the last dbname wins
    if (std::system(("psql -q '" + postgres + "' -c 'CREATE DATABASE " + name + "' >/dev/null").c_str()) != 0) {
        std::fprintf(stderr, "could not create the database %s\n", name.c_str());
    }
}

std::string ServerProcess::Program() {
    return VTLDB_SERVER_PROGRAM;
}

bool ServerProcess::Start(const std::string& extraArguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    const std::string command =
        "exec '" + Program() + "' --listen 127.0.0.1:0 --db '" + database_ + "' " + extraArguments;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    // The first line names the port, the second the admin port when there is one; read them byte by
    // byte so nothing else is consumed.
    const auto portOfLine = [&pipeEnds](const std::string& start) {
        std::string line;
        char c;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') {
            line += c;
        }
        const size_t colon = line.rfind(':');
        return line.rfind(start, 0) == 0 && colon != std::string::npos ? std::atoi(line.c_str() + colon + 1) : 0;
    };
    port_ = portOfLine("vtldb-server listening on ");
    const bool admin = extraArguments.find("--admin-listen") != std::string::npos;
    adminPort_ = admin ? portOfLine("vtldb-server admin on ") : 0;
    close(pipeEnds[0]);
    return pid_ > 0 && port_ > 0 && (!admin || adminPort_ > 0);
}

int ServerProcess::Stop(int signal) {
    if (pid_ <= 0) {
        return -1;
    }
    kill(pid_, signal);
    int status = 0;
    // A server that does not end within 30 s is killed, and the caller sees a status it did not ask for.
    bool ended = false;
    for (int waited = 0; waited < 3000 && !ended; ++waited) {
        ended = waitpid(pid_, &status, WNOHANG) == pid_;
        if (!ended)
            usleep(10000);
    }
    if (!ended) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return status;
}

int ServerProcess::Run(const std::string& arguments, const std::string& input, std::string* output) {
    char outputName[] = "/tmp/vtldb-output-XXXXXX";
    const int outputFile = mkstemp(outputName);
    if (outputFile < 0) {
        return -1;
    }
    close(outputFile);
    FILE* pipe = popen(("'" + Program() + "' " + arguments + " > '" + outputName + "'").c_str(), "w");
    if (pipe == nullptr) {
        return -1;
    }
    std::fwrite(input.data(), 1, input.size(), pipe);
    const int status = pclose(pipe);
    if (output != nullptr) {
        output->clear();
        if (FILE* file = std::fopen(outputName, "rb")) {
            char buffer[4096];
            for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
                output->append(buffer, count);
            }
            std::fclose(file);
        }
    }
    std::remove(outputName);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int ServerProcess::AddAccount(const std::string& name, const std::string& password) const {
    return Run("--db '" + database_ + "' --add-account '" + name + "'", password + "\n");
}
