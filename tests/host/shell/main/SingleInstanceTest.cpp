#include <gtest/gtest.h>

#include <set>
#include <string>

#include "shell/SingleInstance.h"

TEST(SingleInstance, OneNamePerProgramFile) {
  const std::string base = InstanceMutexName("C:\\Program Files\\Lumetta\\Lumetta.exe");
  // The same file, spelt another way.
  for (const char* same : {"c:\\program files\\lumetta\\LUMETTA.EXE", "C:/Program Files/Lumetta/Lumetta.exe",
                           "C:\\Program Files/Lumetta\\Lumetta.exe"})
    EXPECT_EQ(InstanceMutexName(same), base) << same;
  // Other copies, and names that only a careless fold would confuse.
  std::set<std::string> names{base};
  for (const char* other :
       {"C:\\Program Files\\Lumetta2\\Lumetta.exe", "D:\\Program Files\\Lumetta\\Lumetta.exe",
        "C:\\Program Files\\Lumetta\\Lumetta.ex", "", "C:\\Program Files\\Lumetta\\Lumetta.exe "})
    EXPECT_TRUE(names.insert(InstanceMutexName(other)).second) << other;
}

TEST(SingleInstance, NameIsAPlainShortKernelObjectName) {
  const std::string longPath = "C:\\" + std::string(2000, 'x') + "\\Lumetta.exe";
  for (const std::string& path : {std::string("C:\\a\\Lumetta.exe"), longPath, std::string()}) {
    const std::string name = InstanceMutexName(path);
    EXPECT_EQ(name.rfind("Lumetta.Instance.", 0), 0u) << name;
    EXPECT_EQ(name.find('\\'), std::string::npos) << name;  // a '\' would name a namespace
    EXPECT_LE(name.size(), 40u) << name;
  }
}
