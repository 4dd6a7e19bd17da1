// Printers declared in win.ini, with no CUPS server to be had: enumeration, handles,
// device modes and capabilities of the built-in driver.
#include "printer_fixture.h"

#include <cstring>

namespace {

using kwtest::enumerate;

class Declared : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = kwtest::makeTempDir("korvane-printers");
    ASSERT_FALSE(dir_.empty());
    setenv("CUPS_SERVER", (dir_ / "no-server.sock").c_str(), 1);
    pdf_ = (dir_ / "office.pdf").string();
    kwtest::writeWinIni(dir_ / "win.ini", "[devices]\n"
                                          "Office PDF=PDF Writer," + pdf_ + "\n"
                                          "Label Printer = Generic / Text , LPT1:, COM2:\n"
                                          "Bad Entry=NoComma\n"
                                          "[windows]\n"
                                          "device=Office PDF,PDF Writer," + pdf_ + "\n");
  }
  void TearDown() override {
    KwConfigureWinIni(nullptr);
    unsetenv("CUPS_SERVER");
    kwtest::fs::remove_all(dir_);
  }
  HANDLE open(const char* name) {
    HANDLE h = nullptr;
    EXPECT_TRUE(OpenPrinterA(const_cast<LPSTR>(name), &h, nullptr)) << name;
    return h;
  }
  kwtest::fs::path dir_;
  std::string pdf_;
};

DEVMODEA devModeOf(HANDLE printer, const DEVMODEA* input = nullptr) {
  DEVMODEA mode{};
  EXPECT_EQ(DocumentPropertiesA(nullptr, printer, nullptr, &mode, const_cast<DEVMODEA*>(input),
                                input ? DM_IN_BUFFER | DM_OUT_BUFFER : DM_OUT_BUFFER),
            1);
  return mode;
}

}  // namespace

TEST_F(Declared, EnumerationAtEveryLevel) {
  auto two = enumerate(PRINTER_ENUM_LOCAL, 2);
  ASSERT_EQ(two.count, 2u);  // the entry without a port is not a printer
  const auto& office = two.at<PRINTER_INFO_2A>(0);
  const auto& label = two.at<PRINTER_INFO_2A>(1);
  EXPECT_STREQ(office.pPrinterName, "Office PDF");
  EXPECT_STREQ(office.pDriverName, "PDF Writer");
  EXPECT_EQ(std::string(office.pPortName), pdf_);
  EXPECT_EQ(office.Attributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DEFAULT));
  EXPECT_STREQ(label.pPrinterName, "Label Printer");
  EXPECT_STREQ(label.pDriverName, "Generic / Text");
  EXPECT_STREQ(label.pPortName, "LPT1:,COM2:");
  EXPECT_EQ(label.Attributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_LOCAL));
  for (const auto* info : {&office, &label}) {
    EXPECT_TRUE(two.inside(info->pPrinterName) && two.inside(info->pDevMode) && two.inside(info->pDatatype));
    EXPECT_EQ(info->pDevMode->dmSize, sizeof(DEVMODEA));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(info->pDevMode) % alignof(DEVMODEA), 0u);
  }
  EXPECT_STREQ(reinterpret_cast<const char*>(label.pDevMode->dmDeviceName), "Label Printer");

  auto one = enumerate(PRINTER_ENUM_LOCAL, 1);
  ASSERT_EQ(one.count, 2u);
  EXPECT_STREQ(one.at<PRINTER_INFO_1A>(1).pDescription, "Label Printer,Generic / Text,");
  auto four = enumerate(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, 4);
  ASSERT_EQ(four.count, 2u);
  EXPECT_STREQ(four.at<PRINTER_INFO_4A>(0).pPrinterName, "Office PDF");
  auto only = enumerate(PRINTER_ENUM_DEFAULT, 2);
  ASSERT_EQ(only.count, 1u);
  EXPECT_STREQ(only.at<PRINTER_INFO_2A>(0).pPrinterName, "Office PDF");
  EXPECT_EQ(enumerate(PRINTER_ENUM_CONNECTIONS, 2).count, 0u);

  // One byte short fails and says what it takes; a bad level or no counters fail alike.
  DWORD needed = 0, count = 7;
  std::vector<BYTE> small(two.buffer.size() - 1);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, small.data(), static_cast<DWORD>(small.size()), &needed,
                             &count));
  EXPECT_EQ(needed, two.buffer.size());
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 3, nullptr, 0, &needed, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_LEVEL));
  EXPECT_FALSE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, nullptr, nullptr));

  // Without any printer: success with nothing to fill.
  kwtest::writeWinIni(dir_ / "empty.ini", "");
  EXPECT_TRUE(EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count));
  EXPECT_EQ(needed, 0u);
  EXPECT_EQ(count, 0u);
}

TEST_F(Declared, HandlesOpenByNameAndGoStale) {
  HANDLE label = open("label printer");  // names ignore case
  DWORD needed = 0;
  EXPECT_FALSE(GetPrinterA(label, 2, nullptr, 0, &needed));
  std::vector<BYTE> buffer(needed);
  ASSERT_TRUE(GetPrinterA(label, 2, buffer.data(), needed, &needed));
  EXPECT_STREQ(reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->pPortName, "LPT1:,COM2:");

  HANDLE none = reinterpret_cast<HANDLE>(1);
  EXPECT_FALSE(OpenPrinterA(const_cast<LPSTR>("Bad Entry"), &none, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PRINTER_NAME));
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(OpenPrinterA(nullptr, &none, nullptr));

  EXPECT_TRUE(ClosePrinter(label));
  EXPECT_FALSE(ClosePrinter(label));
  HANDLE office = open("Office PDF");  // takes the freed slot
  EXPECT_FALSE(GetPrinterA(label, 2, buffer.data(), needed, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(DocumentPropertiesA(nullptr, label, nullptr, nullptr, nullptr, 0), -1);
  EXPECT_EQ(DocumentPropertiesA(nullptr, office, nullptr, nullptr, nullptr, 0), static_cast<LONG>(sizeof(DEVMODEA)));
  EXPECT_TRUE(ClosePrinter(office));
  EXPECT_FALSE(ClosePrinter(nullptr));
}

TEST_F(Declared, DeviceModesMergeWhatThePrinterCanDo) {
  HANDLE h = open("Office PDF");
  const DEVMODEA base = devModeOf(h);
  EXPECT_EQ(base.dmSpecVersion, DM_SPECVERSION);
  EXPECT_EQ(base.dmDriverExtra, 0);
  EXPECT_EQ(base.dmPaperSize, DMPAPER_LETTER);  // the tests run as en-US
  EXPECT_EQ(base.dmPaperWidth, 2159);
  EXPECT_EQ(base.dmPaperLength, 2794);
  EXPECT_EQ(base.dmOrientation, DMORIENT_PORTRAIT);
  EXPECT_EQ(base.dmPrintQuality, 600);
  EXPECT_STREQ(reinterpret_cast<const char*>(base.dmFormName), "Letter");
  EXPECT_TRUE(base.dmFields & DM_PAPERSIZE && base.dmFields & DM_PAPERLENGTH && base.dmFields & DM_PAPERWIDTH);
  EXPECT_FALSE(base.dmFields & DM_DUPLEX);

  DEVMODEA want = base;
  want.dmFields = DM_PAPERSIZE | DM_ORIENTATION | DM_COPIES | DM_DUPLEX;
  want.dmPaperSize = DMPAPER_A4;
  want.dmOrientation = DMORIENT_LANDSCAPE;
  want.dmCopies = 3;
  want.dmDuplex = DMDUP_VERTICAL;  // a PDF file has no second side
  DEVMODEA got = devModeOf(h, &want);
  EXPECT_EQ(got.dmPaperSize, DMPAPER_A4);
  EXPECT_EQ(got.dmPaperWidth, 2100);
  EXPECT_EQ(got.dmPaperLength, 2970);
  EXPECT_STREQ(reinterpret_cast<const char*>(got.dmFormName), "A4");
  EXPECT_EQ(got.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(got.dmCopies, 3);
  EXPECT_EQ(got.dmDuplex, DMDUP_SIMPLEX);

  // A paper it does not offer changes nothing; a size of the caller's own is taken.
  want.dmFields = DM_PAPERSIZE;
  want.dmPaperSize = 70;
  EXPECT_EQ(devModeOf(h, &want).dmPaperSize, DMPAPER_LETTER);
  want.dmFields = DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
  want.dmPaperSize = DMPAPER_USER;
  want.dmPaperWidth = 1000;
  want.dmPaperLength = 1500;
  got = devModeOf(h, &want);
  EXPECT_EQ(got.dmPaperSize, DMPAPER_USER);
  EXPECT_EQ(got.dmPaperWidth, 1000);
  EXPECT_EQ(got.dmPaperLength, 1500);

  // An input read only as far as its own dmSize: an old, short device mode names the
  // copies field but ends before it.
  want = base;
  want.dmFields = DM_COPIES | DM_ORIENTATION;
  want.dmOrientation = DMORIENT_LANDSCAPE;
  want.dmCopies = 5;
  want.dmSize = 54;
  got = devModeOf(h, &want);
  EXPECT_EQ(got.dmOrientation, DMORIENT_LANDSCAPE);
  EXPECT_EQ(got.dmCopies, 1);
  want.dmSize = 10;
  DEVMODEA out{};
  EXPECT_EQ(DocumentPropertiesA(nullptr, h, nullptr, &out, &want, DM_IN_BUFFER | DM_OUT_BUFFER), -1);
  EXPECT_EQ(DocumentPropertiesA(nullptr, h, nullptr, nullptr, nullptr, DM_OUT_BUFFER), -1);
  ClosePrinter(h);
}

TEST_F(Declared, Capabilities) {
  const int n = DeviceCapabilitiesA("Office PDF", nullptr, DC_PAPERS, nullptr, nullptr);
  ASSERT_EQ(n, 7);
  std::vector<WORD> codes(n);
  DeviceCapabilitiesA("Office PDF", nullptr, DC_PAPERS, reinterpret_cast<LPSTR>(codes.data()), nullptr);
  EXPECT_EQ(codes, (std::vector<WORD>{1, 5, 7, 8, 9, 11, 13}));
  std::vector<LONG> sizes(2 * n);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_PAPERSIZE, reinterpret_cast<LPSTR>(sizes.data()), nullptr), n);
  EXPECT_EQ(sizes[8], 2100);  // A4, the fifth
  EXPECT_EQ(sizes[9], 2970);
  std::vector<char> names(64 * n);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_PAPERNAMES, names.data(), nullptr), n);
  EXPECT_STREQ(names.data() + 64 * 6, "B5 (JIS) 182 x 257 mm");
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_COPIES, nullptr, nullptr), 1);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_ORIENTATION, nullptr, nullptr), 90);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_SIZE, nullptr, nullptr), 148);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, DC_EXTRA, nullptr, nullptr), 0);
  EXPECT_EQ(DeviceCapabilitiesA("Nobody", nullptr, DC_PAPERS, nullptr, nullptr), -1);
  EXPECT_EQ(DeviceCapabilitiesA(nullptr, nullptr, DC_PAPERS, nullptr, nullptr), -1);
  EXPECT_EQ(DeviceCapabilitiesA("Office PDF", nullptr, 999, nullptr, nullptr), -1);
}
