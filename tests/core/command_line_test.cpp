#include "command_line.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandLine, ArgumentAndTheLatheFileItNames) {
    struct Case {
        const char* commandLine;
        const char* argument;
        const char* latheFile;
    } cases[] = {
        {"tandrel.exe", "", ""},
        {"\"C:\\Program Files\\Tandrel\\tandrel.exe\"", "", ""},
        {"\"C:\\Program Files\\Tandrel\\tandrel.exe\"  \t", "", ""},
        {"tandrel.exe 0011", "0011", ""},
        {"\"C:\\Tandrel\\tandrel.exe\" \"C:\\My Lathes\\Mini.TANDREL\"", "\"C:\\My Lathes\\Mini.TANDREL\"",
         "C:\\My Lathes\\Mini.TANDREL"},
        {"tandrel.exe C:\\My Lathes\\mini.tandrel ", "C:\\My Lathes\\mini.tandrel",
         "C:\\My Lathes\\mini.tandrel"},
        {"tandrel.exe .tandrel", ".tandrel", ""},
        {"tandrel.exe mini.tandrel.txt", "mini.tandrel.txt", ""},
        {"\"tandrel.exe", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CommandLineArgument(c.commandLine), c.argument) << c.commandLine;
        EXPECT_EQ(LatheFileArgument(c.commandLine), c.latheFile) << c.commandLine;
    }
}
