// Protects the discovery of serial ports, the group named when an open is denied, and what a failed open tells the user to do.
#include "slutil/slportgroup.h"
#include "slutil/slportlist.h"
#include "slutil/slportopenerror.h"

#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include <grp.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Paths(const std::vector<TslSerialPort>& ports, const std::string& root)
{
    std::vector<std::string> paths;
    for (const TslSerialPort& port : ports)
        paths.push_back(port.Path.substr(root.size()));
    return paths;
}

}  // namespace

TEST(ListSerialPorts, LinksFirstThenDeviceFilesInNaturalOrder)
{
    TTempDir dev;
    const std::string root = dev.Path();
    fs::create_directories(root + "/serial/by-id");
    fs::create_directories(root + "/serial/by-path");
    for (const char* name : {"ttyS10", "ttyS2", "ttyS0", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty0", "ttySomething",
                             "console", "ttyUSB"})
        dev.Write(name, "");
    fs::create_symlink("../../ttyUSB1", root + "/serial/by-id/usb-FTDI_FT232R_B-if00-port0");
    fs::create_symlink("../../ttyUSB0", root + "/serial/by-id/usb-FTDI_FT232R_A-if00-port0");
    fs::create_symlink("../../ttyUSB0", root + "/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0");

    const std::vector<TslSerialPort> ports = ListSerialPorts(root);
    EXPECT_EQ(Paths(ports, root), (std::vector<std::string>{
                                      "/serial/by-id/usb-FTDI_FT232R_A-if00-port0",
                                      "/serial/by-id/usb-FTDI_FT232R_B-if00-port0",
                                      "/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0",
                                      "/ttyUSB0",
                                      "/ttyUSB1",
                                      "/ttyACM0",
                                      "/ttyS0",
                                      "/ttyS2",
                                      "/ttyS10",
                                  }));
    ASSERT_EQ(ports.size(), 9u);
    // Links show the device they reach as an absolute path; device files have no target.
    EXPECT_EQ(ports[0].Target, root + "/ttyUSB0");
    EXPECT_EQ(ports[1].Target, root + "/ttyUSB1");
    EXPECT_EQ(ports[2].Target, root + "/ttyUSB0");
    EXPECT_EQ(ports[3].Target, "");
}

TEST(ListSerialPorts, MissingFoldersGiveNoPorts)
{
    TTempDir dev;
    EXPECT_TRUE(ListSerialPorts(dev.Path()).empty());
    EXPECT_TRUE(ListSerialPorts(dev.File("absent")).empty());
}

TEST(PortAccessHint, NamesTheGroupOwningTheDeviceElseTheDebianGroup)
{
    TTempDir dir;
    dir.Write("port", "");
    struct stat status{};
    ASSERT_EQ(::stat(dir.File("port").c_str(), &status), 0);
    const group* owner = ::getgrgid(status.st_gid);
    if (!owner)
        GTEST_SKIP() << "the temporary file's group has no name here";

    EXPECT_EQ(PortAccessHint(dir.File("port")), std::string("Der Benutzer muss serielle Schnittstellen benutzen "
                                                            "dürfen (Mitglied der Gruppe ") +
                                                    owner->gr_name + ").");
    EXPECT_EQ(PortAccessHint(dir.File("absent")), "Der Benutzer muss serielle Schnittstellen benutzen dürfen "
                                                  "(unter Debian: Mitglied der Gruppe dialout).");
}

// The adapter of COM2 is not plugged in: the message says where the port is chosen and which
// ports there are; the links name the same devices again and are left out.
TEST(PortOpenErrorMessage, PointsToTheOptionsAndListsTheDeviceFilesFound)
{
    TTempDir dev;
    const std::string root = dev.Path();
    fs::create_directories(root + "/serial/by-id");
    for (const char* name : {"ttyS1", "ttyS0", "ttyUSB1"})
        dev.Write(name, "");
    fs::create_symlink("../../ttyUSB1", root + "/serial/by-id/usb-FTDI_FT232R_B-if00-port0");
    const std::string head = "COM2 (" + root + "/ttyUSB0) kann nicht geöffnet werden: Datei oder Gerät nicht vorhanden.\n"
                             "Welches Gerät COM2 erreicht, wird unter \"Extras > Optionen > Kommunikation\" eingestellt.\n";

    EXPECT_EQ(PortOpenErrorMessage("COM2", root + "/ttyUSB0", ENOENT, root),
              head + "Gefundene serielle Schnittstellen: " + root + "/ttyUSB1, " + root + "/ttyS0, " + root + "/ttyS1");
    EXPECT_EQ(PortOpenErrorMessage("COM2", root + "/ttyUSB0", ENOENT, dev.File("empty")),
              head + "Es wurden keine seriellen Schnittstellen gefunden.");
}
