#pragma once
// The version resource of a program file, read from outside as Explorer's Details page reads it.
#include <string>
#include <vector>

class FileVersion {
public:
    explicit FileVersion(const std::string& path);

    bool Loaded() const { return !m_block.empty(); }
    // The fixed file and product numbers, "1.0.0.1"; "" without a resource.
    std::string FileNumbers() const { return m_fileNumbers; }
    std::string ProductNumbers() const { return m_productNumbers; }
    // A text of the resource's first language (CompanyName, FileVersion, ...), "" when missing.
    std::string Value(const std::string& name) const;

private:
    std::vector<char> m_block;
    std::string m_fileNumbers;
    std::string m_productNumbers;
};
