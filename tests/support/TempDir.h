#pragma once
#include <map>
#include <string>

// A fresh folder under the temporary folder, removed with everything in it at destruction.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "tandrel");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // Path of a name inside the folder ("a\\b.doc" allowed).
    std::string operator/(const std::string& relative) const;
    // Creates relative (and its parent folders) holding content.
    std::string WriteFile(const std::string& relative, const std::string& content = "x") const;
    std::string MakeDir(const std::string& relative) const;

private:
    std::string m_path;
};

std::string ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);
void RemoveTree(const std::string& path);
// Every file and folder under root by its path relative to root, folders with a trailing "\"
// and an empty text, files with their bytes.
std::map<std::string, std::string> TreeContents(const std::string& root);
