// What the benchmark programs share: a catalogue of the published one's shape, made here so that no
// bench depends on a file that is not shipped, and the timing of whole child processes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// An EEP catalogue shaped like the published one: 4 RORG, 39 FUNC, 213 TYPE, 244 cases, about 1,800
// data fields (some of them reserved, with enumerations and scales), about 1.5 MB, written in code
// page 850 without an XML declaration and with titles holding letters outside ASCII.
std::string Make_Catalogue_Bytes();

// Writes bytes to a file; false when it cannot be written.
bool Write_File(const std::string& Path, const std::string& Bytes);

// The monotonic clock in nanoseconds (the same clock in every process of the machine).
int64_t Now_Ns();

// Runs the program with its arguments as a child process and waits for it. Wall time from just
// before the start to the end of the child; what it printed on its standard output.
struct TChildRun {
  int64_t Start_Ns = 0;
  int64_t Wall_Ns = 0;
  int Exit_Code = -1;
  std::string Output;
};
TChildRun Run_Child(const std::vector<std::string>& Args);

// The path of the running program.
std::string Self_Path();

// The resident set size of this process, in kilobytes.
int64_t Resident_Kb();

// Median of the values (0 for none).
double Median(std::vector<double> Values);

// The positive whole numbers of a comma-separated list ("10000,100000"), in order; the list ends
// at the first text that is no number.
std::vector<int> ParseSizes(const char* Text);

// One row of a growth table after its caption: for each size the median of its times (seconds,
// printed in ms) and, from the second size on, its ratio to the time at the size before.
void PrintGrowthRow(const std::vector<int>& Sizes, const std::function<std::vector<double>(int)>& TimesAt);

}  // namespace bench
