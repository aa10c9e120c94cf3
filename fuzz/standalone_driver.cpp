// Runs the fuzz target without libFuzzer, so every build can replay it: the
// files of a folder (the stored corpus: seeds and every input that once found
// a fault), then built-in seed documents and a fixed number of deterministic
// mutations of them.
//   experiment_file_fuzz [MUTATIONS [FOLDER]]
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

const char* const kSeeds[] = {
    "<COMPONENT><ABSTRACTNAME>x</ABSTRACTNAME><RESISTANCE><NUM>1</NUM><NUM0><TYPE>0</TYPE><NAME>R1</NAME>"
    "<SEQUENCE>1</SEQUENCE><RESVALUE>1000</RESVALUE><REGION><LEFT>120</LEFT><TOP>80</TOP></REGION>"
    "<ANGEL><LEFT>90</LEFT><RIGHT>270</RIGHT></ANGEL></NUM0></RESISTANCE>"
    "<ELECTRICITY><NUM>1</NUM><NUM0><TYPE>8</TYPE><SEQUENCE>2</SEQUENCE><SHELVE_MAIN>9</SHELVE_MAIN>"
    "<BUTTON_POWER>1</BUTTON_POWER></NUM0></ELECTRICITY>"
    "<NODE><NUM>4</NUM>"
    "<NUM0><TYPE>14</TYPE><SEQUENCE>3</SEQUENCE><CONNECT_COMPONENTID_NUM>1</CONNECT_COMPONENTID_NUM>"
    "<CONNECT_COMPONENTID_NUM0><CONID>1</CONID><LOCATIONIDX>0</LOCATIONIDX></CONNECT_COMPONENTID_NUM0></NUM0>"
    "<NUM1><TYPE>14</TYPE><SEQUENCE>4</SEQUENCE><CONNECT_COMPONENTID_NUM>1</CONNECT_COMPONENTID_NUM>"
    "<CONNECT_COMPONENTID_NUM0><CONID>1</CONID><LOCATIONIDX>1</LOCATIONIDX></CONNECT_COMPONENTID_NUM0></NUM1>"
    "<NUM2><TYPE>14</TYPE><SEQUENCE>5</SEQUENCE><CONNECT_COMPONENTID_NUM>1</CONNECT_COMPONENTID_NUM>"
    "<CONNECT_COMPONENTID_NUM0><CONID>2</CONID><LOCATIONIDX>0</LOCATIONIDX></CONNECT_COMPONENTID_NUM0></NUM2>"
    "<NUM3><TYPE>14</TYPE><SEQUENCE>6</SEQUENCE><CONNECT_COMPONENTID_NUM>1</CONNECT_COMPONENTID_NUM>"
    "<CONNECT_COMPONENTID_NUM0><CONID>2</CONID><LOCATIONIDX>1</LOCATIONIDX></CONNECT_COMPONENTID_NUM0></NUM3>"
    "</NODE><WIRE><NUM>2</NUM><NUM0><TYPE>15</TYPE><LEFTNODE>3</LEFTNODE><RIGHTNODE>5</RIGHTNODE>"
    "<POINTNUM>2</POINTNUM><POINTNUM0><XPOS>1</XPOS><YPOS>2</YPOS></POINTNUM0><POINTNUM1><XPOS>3</XPOS>"
    "<YPOS>4</YPOS></POINTNUM1></NUM0><NUM1><TYPE>15</TYPE><LEFTNODE>4</LEFTNODE><RIGHTNODE>6</RIGHTNODE>"
    "</NUM1></WIRE></COMPONENT>",
    "<?xml version=\"1.0\"?><!-- c --><COMPONENT><METER><NUM>3</NUM><NUM0><TYPE>13</TYPE>"
    "<BUTTON_PANE>1</BUTTON_PANE><BUTTON_1K>1</BUTTON_1K><BUTTON_POWER>1</BUTTON_POWER></NUM0>"
    "<NUM1><TYPE>7</TYPE><BUTTON_POWER>1</BUTTON_POWER><MODE>3</MODE></NUM1><NUM2><TYPE>24</TYPE></NUM2>"
    "</METER><CAPACITANCE><NUM>1</NUM><NUM0><TYPE>17</TYPE></NUM0></CAPACITANCE></COMPONENT>",
};

const char* const kTokens[] = {"<", ">", "</", "/>", ":", "NUM", "2147483647", "-2147483648", "99999999999",
                               "nan", "inf", "-1", "0", "<NUM0>", "</NUM0>", "<TYPE>25</TYPE>", "\xB5\xE7", "\r\n"};

std::string Mutate(std::string s, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = s.empty() ? 0 : rng() % (s.size() + 1);
        switch (rng() % 5) {
        case 0:
            if (!s.empty() && at < s.size()) s[at] = static_cast<char>(rng());
            break;
        case 1:
            if (!s.empty() && at < s.size()) s.erase(at, 1 + rng() % 16);
            break;
        case 2: s.insert(at, kTokens[rng() % (sizeof kTokens / sizeof *kTokens)]); break;
        case 3: {
            // Replace a run of digits by an extreme number.
            const std::size_t digit = s.find_first_of("0123456789", at);
            if (digit == std::string::npos) break;
            const std::size_t end = s.find_first_not_of("0123456789", digit);
            s.replace(digit, end - digit, kTokens[6 + rng() % 5]);
            break;
        }
        default:
            if (!s.empty()) {
                const std::size_t from = rng() % s.size();
                s.insert(at, s.substr(from, 1 + rng() % 64));
            }
        }
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const long iterations = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    if (argc > 2) {
        namespace fs = std::filesystem;
        std::error_code error;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(argv[2], error))
            if (entry.is_regular_file()) files.push_back(entry.path());
        if (error || files.empty()) {
            std::fprintf(stderr, "no inputs to replay in %s\n", argv[2]);
            return 1;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            // Named first: a fault stops the process inside the target.
            std::printf("replaying %s\n", file.filename().c_str());
            std::fflush(stdout);
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        }
        std::printf("%zu stored inputs replayed\n", files.size());
    }
    std::mt19937 rng(20261209u);
    for (const char* seed : kSeeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(seed), std::string(seed).size());
    for (long i = 0; i < iterations; ++i) {
        const std::string input = Mutate(kSeeds[rng() % (sizeof kSeeds / sizeof *kSeeds)], rng);
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld mutated experiment files loaded, saved and reloaded\n", iterations);
    return 0;
}
