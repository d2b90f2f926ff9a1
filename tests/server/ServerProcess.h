#pragma once

#include <sys/types.h>

#include <string>

// The real vtldb-server, started as a child on a free loopback port, with accounts made through its
// own account command.
class ServerProcess {
public:
    // A SQLite file, or, while the tests run against PostgreSQL (VTLDB_TEST_POSTGRES names the test
    // server's connection string), a new database of its own there.
    explicit ServerProcess(std::string database);
    ~ServerProcess() { Stop(9); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Starts the server and waits for its "listening" line; false when it does not come.
    bool Start(const std::string& extraArguments = "");
    // Sends the signal and reaps the child; returns its wait status. One that has not ended after
    // 30 s is killed.
    int Stop(int signal);

    const std::string& database() const { return database_; }
    int port() const { return port_; }
    int adminPort() const { return adminPort_; }
    pid_t pid() const { return pid_; }

    static std::string Program();
    // The connection string of the test PostgreSQL server, or empty when the tests use SQLite files.
    static std::string Postgres();
    // Runs the program with the arguments, feeding input on standard input; returns the exit code.
    static int Run(const std::string& arguments, const std::string& input, std::string* output = nullptr);
    int AddAccount(const std::string& name, const std::string& password) const;

private:
    std::string database_;
    pid_t pid_ = -1;
    int port_ = 0;
    int adminPort_ = 0;
};
