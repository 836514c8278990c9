#!/usr/bin/env bash
# Builds Debian 12's Wine 8.0, from its source package, in the WoW64 mode
# (32-bit Windows programs inside a 64-bit Linux process) into
# TW_WINE_WOW64_DIR, for machines whose kernel runs no 32-bit programs.
# Once: quiet when that Wine is there. Only the Windows side's libraries
# nothing here uses (Direct3D, media, scripting, web, older C runtimes) are
# left out, to halve the build; the Wine the tests talk to is Wine's own.
set -euo pipefail
prefix=${TW_WINE_WOW64_DIR:?name the folder to build Wine into, such as /opt/wine-wow64}
work=${TW_WINE_BUILD_DIR:-/var/tmp/tallywhirl-wine}
version=8.0~repack-4
[[ -x "$prefix/bin/wine" ]] && exit 0
if [[ $(id -u) -ne 0 ]]; then
    echo "build-wine: run as root to install the build's packages" >&2
    exit 1
fi

echo "build-wine: building Wine $version in the WoW64 mode into $prefix (about 40 minutes)"
export DEBIAN_FRONTEND=noninteractive
sources=/etc/apt/sources.list.d/tallywhirl-wine-source.sources
if [[ ! -f $sources ]]; then
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
        'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' >"$sources"
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends dpkg-dev autoconf automake flex bison ccache \
    gcc-mingw-w64-i686 gcc-mingw-w64-x86-64 libx11-dev libxext-dev libfreetype-dev \
    libfontconfig-dev libxrender-dev libxrandr-dev libxi-dev libxcursor-dev libxfixes-dev \
    libxinerama-dev libxcomposite-dev khronos-api libvulkan-dev libxml-libxml-perl \
    libz-mingw-w64-dev unicode-data librsvg2-bin icoutils imagemagick fontforge-nox libgettextpo-dev \
    fonts-wine >/dev/null

rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source -qq "wine=$version" >/dev/null 2>&1
cd wine-8.0*/

# The generated files Debian's repacked source leaves out, made as its
# package build makes them.
./debian/scripts/generate server/trace.generated make_requests >/dev/null
./debian/scripts/generate server/request.generated make_requests >/dev/null
./tools/make_unicode >/dev/null
./tools/make_requests >/dev/null
(cd dlls/dsound && ./make_fir >/dev/null)
(cd dlls/opengl32 && ./make_opengl >/dev/null)
(cd dlls/winevulkan && ./make_vulkan -x /usr/share/vulkan/registry/vk.xml >/dev/null 2>&1)
ln -sf /usr/share/misc/config.sub tools
ln -sf /usr/share/misc/config.guess tools
grep -E '^\s+ln -sf .*\.svg ' debian/rules | sed 's/^\s*//' | bash
autoreconf -f >/dev/null 2>&1

unused='^(d3d|d3dx|d3dcompiler|ddraw|dxgi|wined3d|dxva2|d2d1|dwrite|dcomp|xaudio2|xapofx|'
unused+='x3daudio|xactengine|xinput|msvcr[0-9]|msvcp|msvcrt(20|40|d)|vcomp|mshtml|jscript|'
unused+='vbscript|msxml|mf|mp3dmod|msmpeg2|winegstreamer|quartz|qedit|qcap|qasf|wmvcore|wmp|'
unused+='wmadmod|dm(usic|ime|band|compos|loader|script|style|synth)|dsound|dsdmo|dswave|'
unused+='amstream|evr|mciavi|mciqtz|avifil|avicap|opengl32|vulkan|winevulkan|glu32|gdiplus|'
unused+='msi$|msisip|msiexec|wininet|urlmon|winhttp|webservices|wsdapi|dinput|dplay|dpnet|'
unused+='dpwsockx|dpnhp|dpnaddr|dpvoice|oledb|msado|msdasql|odbc|sqlsrv|windows_|iexplore|'
unused+='wordpad|winemine|winhlp32|hh$|write$|clock$|view$|wmplayer|dxdiag|oleview|winefile|'
unused+='taskmgr|mshta|wscript|cscript|powershell|gphoto|sane|twain|wineps|mapi32|inetcomm|'
unused+='msdmo|directmanipulation|dxcore|xmllite|msscript|mscoree|dispex|hhctrl|itss|wiaservc|'
unused+='inkobj|mmdevapi|wineoss|winealsa|winepulse|winecoreaudio|ctapi|msttsengine|sapi|'
unused+='gameux|wshom|scrrun|msdaps|esent|wuapi|wuauserv|ddrawex|dxdiagn|ksuser|ksproxy|'
unused+='devenum|mstask|taskschd|schtasks|msrle|msvidc|iccvid|ir50|msyuv|l3codec|capi2032|'
unused+='ieframe|shdocvw|actxprxy|tapi32|rasapi|rasdlg|wintab|windowscodecsext|'
unused+='photometadatahandler|concrt140|ucrtbased|vcruntime140_1|api_ms_win_crt)'
mapfile -t disabled < <(grep -oE '^enable_[a-z0-9_]+' configure | sort -u | sed 's/^enable_//' |
    grep -E "$unused" | grep -vE '^(mfc42|msvcp_win)$' | sed 's/^/--disable-/')
without=(gstreamer cups sane gphoto pulse alsa oss v4l2 usb pcap krb5 netapi opencl vulkan
         osmesa opengl capi unwind udev sdl dbus gnutls inotify gssapi)
# The maintainer's mode makes the icons Debian's source leaves out.
./configure --prefix="$prefix" --enable-archs=i386,x86_64 --disable-tests --enable-maintainer-mode \
    "${without[@]/#/--without-}" "${disabled[@]}" CC="ccache gcc" CFLAGS="-O1 -g0" \
    CROSSCFLAGS="-O1 -g0" i386_CC="ccache i686-w64-mingw32-gcc" \
    x86_64_CC="ccache x86_64-w64-mingw32-gcc" >configure.log 2>&1
# which also turns every warning into an error, on this compiler's new ones too
sed -i 's/ -Werror\( \|$\)/\1/g' Makefile
make -j"$(nproc)" >make.log 2>&1 || { tail -20 make.log >&2; exit 1; }
make install >install.log 2>&1
# Wine's user32 links the MinGW zlib as a DLL, which the loader looks for
# as any other program's DLL: the session puts it into the prefix.
cp /usr/i686-w64-mingw32/lib/zlib1.dll "$prefix/lib/i386-windows/"
cp /usr/x86_64-w64-mingw32/lib/zlib1.dll "$prefix/lib/x86_64-windows/"
"$prefix/bin/wine" --version
