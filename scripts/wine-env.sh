# Sourced by the scripts that start Wine: the environment every Tandrel Wine process gets, and
# the loader. Some machines (sandboxed kernels) cannot execute 32-bit Linux programs; there Wine
# runs only 64-bit Windows programs, through wine64 directly.
export WINEDEBUG=${WINEDEBUG:--all} LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="

host_runs_32bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

if host_runs_32bit; then
  WINE=wine
else
  WINE=/usr/lib/wine/wine64
  export WINELOADER=$WINE WINEARCH=win64
fi

# Wine's drive Z: is the Unix root; computed here because a pipe from a Wine process can hang.
unix_to_wine_path() {
  printf 'Z:%s' "$1" | tr / '\\'
}
