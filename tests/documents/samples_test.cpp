// Protects the demo configurations: each opens, saves back byte for byte, and the check finds exactly what the demo-configuration help promises.
#include "documents/kovdocument.h"
#include "documents/messagelist.h"
#include "platform/datafolders.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

std::string SamplePath(const std::string& name)
{
    return (std::filesystem::path(FindDataFolder("samples")) / name).string();
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The findings of a check: every error and warning line, headings left out.
std::vector<TMessage> Findings(const TMessageList& log)
{
    std::vector<TMessage> findings;
    for (const TMessage& message : log.Messages())
        if (message.Kind == mkError || message.Kind == mkWarning)
            findings.push_back(message);
    return findings;
}

struct TSample {
    const char* File;
    int Devices;
    std::vector<TMessage> Findings;
};

// The plan with deliberate mistakes shows every error and warning the check knows, each once
// or more, in the order the check writes them.
const std::vector<TMessage> MistakeFindings = {
    {mkError, "Schaltanlage West.MSN1 ist identisch mit Pumpstation Au.MSN1."},
    {mkError, "Schaltanlage West.MSN2 ist identisch mit Messstelle Kreuzweg.MSN1."},
    {mkError, "Trafostation Mühlweg.MSN1 ist identisch mit Trafostation Mühlweg.MSN2."},
    {mkError, "Trafostation Mühlweg.MSN1 ist identisch mit Messstelle Kreuzweg.MSN2."},
    {mkError, "Trafostation Mühlweg.MSN2 ist identisch mit Messstelle Kreuzweg.MSN2."},
    {mkError, "Schaltanlage West.MSN1 wird von 2 Rufern angewählt."},
    {mkError, "Schaltanlage Ost.MSN2 wird von 2 Rufern angewählt."},
    {mkError, "Pumpstation Au.MSN1 wird von 2 Rufern angewählt."},
    {mkWarning, "Trafostation Mühlweg.Number 1 (3101) liegt ausserhalb des Netzwerks."},
    {mkWarning, "Messstelle Kreuzweg.Number 2 (3102) liegt ausserhalb des Netzwerks."},
    {mkError, "Schaltanlage West.MSN1 und Anrufer Schaltanlage West.Number2 sind beide auf \"DIAL\" eingestellt."},
    {mkError, "Schaltanlage West.MSN2 und Anrufer Pumpstation Au.Number2 sind beide auf \"DIAL\" eingestellt."},
    {mkError, "Schaltanlage Ost.MSN2 und Anrufer Schaltanlage Ost.Number1 sind beide auf \"ACCEPT\" eingestellt."},
    {mkError, "Schaltanlage Ost.MSN2 und Anrufer Trafostation Mühlweg.Number2 sind beide auf \"ACCEPT\" eingestellt."},
    {mkError, "Schaltanlage Ost.MSN1 und Anrufer Pumpstation Au.Number1 sind beide auf \"ACCEPT\" eingestellt."},
    {mkError, "Trafostation Mühlweg.MSN1 und Anrufer Schaltanlage West.Number1 sind beide auf \"DIAL\" eingestellt."},
    {mkError, "Pumpstation Au.MSN1 und Anrufer Schaltanlage Ost.Number2 sind beide auf \"ACCEPT\" eingestellt."},
    {mkError, "Messstelle Kreuzweg.MSN2 und Anrufer Schaltanlage West.Number1 sind beide auf \"DIAL\" eingestellt."},
    {mkWarning, "Schaltanlage West ist auf \"DSS1\" und Funkmast Eichberg ist auf \"Standleitung\" eingestellt."},
    {mkWarning, "Schaltanlage Ost ist auf \"DSS1\" und Funkmast Eichberg ist auf \"Standleitung\" eingestellt."},
    {mkWarning, "Funkmast Eichberg ist auf \"Standleitung\" und Trafostation Mühlweg ist auf \"DSS1\" eingestellt."},
    {mkWarning, "Funkmast Eichberg ist auf \"Standleitung\" und Pumpstation Au ist auf \"DSS1\" eingestellt."},
    {mkWarning, "Funkmast Eichberg ist auf \"Standleitung\" und Messstelle Kreuzweg ist auf \"DSS1\" eingestellt."},
};

const std::vector<TSample> Samples = {
    {"Punkt-zu-Punkt.kov", 2, {}},
    {"Kette-fuenf-Standorte.kov", 5, {}},
    {"Standleitung.kov", 2, {}},
    {"Fehlerbeispiel.kov", 6, MistakeFindings},
};

}  // namespace

TEST(TSamples, EverySampleIsListedHere)
{
    std::set<std::string> onDisk;
    for (const auto& entry : std::filesystem::directory_iterator(FindDataFolder("samples")))
        if (entry.path().extension() == ".kov")
            onDisk.insert(entry.path().filename().string());
    std::set<std::string> listed;
    for (const TSample& sample : Samples)
        listed.insert(sample.File);
    EXPECT_EQ(onDisk, listed);
}

TEST(TSamples, CheckFindsWhatTheDemoPromises)
{
    for (const TSample& sample : Samples) {
        SCOPED_TRACE(sample.File);
        TMessageList log;
        TKovDocument doc(log);
        doc.Open(SamplePath(sample.File));
        EXPECT_EQ(doc.DeviceCount(), sample.Devices);
        doc.Check();
        EXPECT_EQ(Findings(log), sample.Findings);
        EXPECT_EQ(log.HeadingCount(), 7);
    }
}

TEST(TSamples, SavingASampleAgainGivesTheSameBytes)
{
    for (const TSample& sample : Samples) {
        SCOPED_TRACE(sample.File);
        TTempDir dir;
        TMessageList log;
        TKovDocument doc(log);
        doc.Open(SamplePath(sample.File));
        doc.SaveAs(dir.File("copy.kov"));
        EXPECT_EQ(dir.Read("copy.kov"), ReadBytes(SamplePath(sample.File)));
    }
}

TEST(TSamples, ChainCutAfterFourDevicesLeavesItsLastPartnerOutside)
{
    TMessageList log;
    TKovDocument doc(log);
    doc.Open(SamplePath("Kette-fuenf-Standorte.kov"));
    doc.SetDeviceCount(4);
    doc.Check();
    const std::vector<TMessage> expected = {
        {mkWarning, "Wasserwerk Lindenhof.Number 2 (5101) liegt ausserhalb des Netzwerks."}};
    EXPECT_EQ(Findings(log), expected);
}
