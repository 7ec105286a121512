#pragma once

// What the tests of the real program's command line share: a scratch folder of each test's own,
// emptied before and removed after it, whole-file reads, and the program run with its standard
// error kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace sigmora::test {

inline std::string slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CommandLineScratch : public ::testing::Test {
protected:
    // prefix: the start of the scratch folder's name, the process and the test's name after it.
    explicit CommandLineScratch(std::string prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              (prefix_ + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // Runs "sigmora ARGS" in the scratch folder; answers the exit status, standard error in err.
    int run(const std::string& args, std::string& err) const
    {
        return status("cd '" + dir.string() + "' && QT_QPA_PLATFORM=offscreen " + SIGMORA_EXECUTABLE + " " + args, err);
    }
    // Runs "sigmora --convert IN OUT ARGS"; answers the exit status, standard error in err.
    int convert(const std::filesystem::path& in, const std::filesystem::path& out, const std::string& args,
                std::string& err) const
    {
        return status(std::string("QT_QPA_PLATFORM=offscreen ") + SIGMORA_EXECUTABLE + " --convert '" + in.string() +
                          "' '" + out.string() + "' " + args,
                      err);
    }

    std::filesystem::path dir;

private:
    int status(const std::string& command, std::string& err) const
    {
        const std::filesystem::path errFile = dir / "err.txt";
        const int status = std::system((command + " 2>'" + errFile.string() + "'").c_str());
        err = slurp(errFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string prefix_;
};

} // namespace sigmora::test
