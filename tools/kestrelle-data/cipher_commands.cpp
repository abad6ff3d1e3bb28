// encipher / decipher: the text cipher with its hexadecimal form, as the enciphered data and
// player files store it.
#include "data/cipher.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

namespace {
int RunCipher(const Args& args, bool encipher) {
  if (args.size() != 1 || args[0].empty())
    return Fail(std::string("usage: kestrelle-data ") +
                (encipher ? "encipher KEY < plain > hex" : "decipher KEY < hex > plain"));
  std::string input;
  if (!ReadAllInput(input)) return Fail("could not read standard input");
  TCipher_Xtea cipher(args[0]);
  std::string output = encipher ? cipher.Process(input, TCipher_Xtea::kEncipher, TCipher_Xtea::kFormHex) + "\n"
                                : cipher.Process(input, TCipher_Xtea::kDecipher, TCipher_Xtea::kFormHex);
  if (!WriteAllOutput(output)) return Fail("could not write standard output");
  return 0;
}
}  // namespace

int RunEncipher(const Args& args) { return RunCipher(args, true); }
int RunDecipher(const Args& args) { return RunCipher(args, false); }

}  // namespace kestrelle::data_tool
