// cdcheck: does a CD tree hold every file the menu opens, runs or copies?
//   cdcheck ROOT         prints each missing file; exit 1 if any is missing
//   cdcheck --list       prints the list, one path a line, as Unix paths
//   cdcheck --dependent  the files the Windows 98 drivers depend on, as
//                        they lie beside each driver (the system may have
//                        them instead, so none is required)
//   cdcheck --printui    the INF and the model of the printer-install
//                        command, a line each
// The list is the program's own; its code-page-936 names are turned into
// UTF-8 and its backslashes into slashes for the local file system.
#include "app/cd_paths.h"
#include "install/install.h"

#include <iconv.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include <sys/stat.h>

static std::string UnixPath(const char* pszCdPath)
{
    iconv_t cd = iconv_open("UTF-8", "CP936");
    std::string in(pszCdPath), out(in.size() * 3 + 4, '\0');
    char* pin = &in[0];
    char* pout = &out[0];
    size_t nin = in.size(), nout = out.size();
    if (cd == (iconv_t)-1 || iconv(cd, &pin, &nin, &pout, &nout) == (size_t)-1) {
        fprintf(stderr, "cdcheck: cannot convert %s\n", pszCdPath);
        out = in;
    } else {
        out.resize(out.size() - nout);
    }
    if (cd != (iconv_t)-1)
        iconv_close(cd);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: cdcheck ROOT | --list | --dependent | --printui\n");
        return 2;
    }
    if (strcmp(argv[1], "--list") == 0) {
        for (const char* p : g_cdFiles)
            printf("%s\n", UnixPath(p).c_str());
        return 0;
    }
    if (strcmp(argv[1], "--printui") == 0) {
        // /f PATH ... /m "MODEL": the command's own words.
        std::string cmd = g_szPrintUiCommand;
        size_t f = cmd.find(" /f ") + 4, m = cmd.find(" /m \"") + 5;
        printf("%s\n%s\n", UnixPath(cmd.substr(f, cmd.find(' ', f) - f).c_str()).c_str(),
               cmd.substr(m, cmd.find('"', m) - m).c_str());
        return 0;
    }
    if (strcmp(argv[1], "--dependent") == 0) {
        for (const DRIVER_RECIPE* r : { &g_escRecipe, &g_starRecipe }) {
            std::string driver = UnixPath(r->pszSourceFile), dir = driver.substr(0, driver.rfind('/') + 1);
            for (const char* p = r->pzzDependentFiles; *p; p += strlen(p) + 1)
                if (dir + p != driver)
                    printf("%s%s\n", dir.c_str(), p);
        }
        return 0;
    }
    int nMissing = 0;
    for (const char* p : g_cdFiles) {
        std::string path = std::string(argv[1]) + "/" + UnixPath(p);
        struct stat st;
        if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            printf("missing: %s\n", UnixPath(p).c_str());
            ++nMissing;
        }
    }
    if (nMissing == 0)
        printf("%s: all %u files the menu names are there\n", argv[1], (unsigned)(sizeof g_cdFiles / sizeof g_cdFiles[0]));
    return nMissing ? 1 : 0;
}
