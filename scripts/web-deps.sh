#!/bin/sh
# Builds the libraries the browser build links, for WebAssembly, from Debian's
# own source packages: SDL2, FreeType, libjpeg-turbo and GLU's tessellator
# (Dear ImGui's sources are compiled into the page itself). They are built once
# into a prefix outside the source tree and reused while the compiler and the
# package versions stay the same. Prints the prefix on its last line.
#
# ROCKPILE_WEB_DEPS: where the prefix and its sources live
# (default: $XDG_CACHE_HOME/rockpile/web-deps).
set -eu
# emcc's optimiser needs Debian's node-acorn, found only in Debian's module folder.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

root=${ROCKPILE_WEB_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/rockpile/web-deps}
jobs=${ROCKPILE_JOBS:-$(nproc)}
emcc_version=$(emcc -dumpversion)
key="emcc-$emcc_version sdl2-2.26.5 freetype-2.12.1 jpeg-2.1.5 glu-9.0.2 imgui-1.86"
prefix="$root/prefix"
stamp="$prefix/.built"

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$key" ]; then
    echo "$prefix"
    exit 0
fi

say() { echo "rockpile web: $*" >&2; }
# Each library keeps its own mark, so a failed run resumes where it stopped.
[ -f "$prefix/.key" ] && [ "$(cat "$prefix/.key")" = "$key" ] || rm -rf "$prefix" "$root/build"
mkdir -p "$root/src" "$root/build" "$prefix"
echo "$key" >"$prefix/.key"

# Sources: Debian's packages of the versions above. GLU's Debian changes are
# not fetched (the archive lacks them); its upstream tarball is enough for
# the tessellator.
fetch() {
    package=$1 dir=$2
    [ -d "$root/src/$dir" ] && return 0
    say "fetching the source package $package"
    (cd "$root/src" && apt-get source $3 "$package" >"$root/src/$package.log" 2>&1) || {
        say "apt-get source $package failed (is a deb-src entry present?):"
        tail -5 "$root/src/$package.log" >&2
        exit 1
    }
    if [ ! -d "$root/src/$dir" ]; then
        tarball=$(ls "$root/src/"*"${package#lib}"*.orig.tar.* 2>/dev/null | head -1)
        (cd "$root/src" && tar xf "$tarball")
    fi
}
fetch libsdl2 libsdl2-2.26.5+dfsg ""
fetch freetype freetype-2.12.1+dfsg ""
fetch libjpeg-turbo libjpeg-turbo-2.1.5 ""
fetch imgui imgui-1.86+ds ""
fetch libglu glu-9.0.2 --tar-only

cmake_build() {
    name=$1 source=$2
    shift 2
    [ -f "$root/build/$name.done" ] && return 0
    say "building $name for the browser"
    emcmake cmake -S "$root/src/$source" -B "$root/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$root/build/$name.log" 2>&1 &&
        cmake --build "$root/build/$name" -j"$jobs" >>"$root/build/$name.log" 2>&1 &&
        cmake --install "$root/build/$name" >>"$root/build/$name.log" 2>&1 &&
        touch "$root/build/$name.done" || {
        say "building $name failed; the end of $root/build/$name.log:"
        tail -20 "$root/build/$name.log" >&2
        exit 1
    }
}

cmake_build sdl2 libsdl2-2.26.5+dfsg -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
cmake_build freetype freetype-2.12.1+dfsg -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
    -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
cmake_build jpeg libjpeg-turbo-2.1.5 -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=ON \
    -DWITH_JAVA=OFF -DCMAKE_SYSTEM_PROCESSOR=wasm32 \
    -DHAVE_SIZE_T=1 -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=1 -DUNSIGNED_LONG=4

say "building GLU's tessellator for the browser"
mkdir -p "$root/build/glu" "$prefix/lib"
for c in "$root/src/glu-9.0.2/src/libtess/"*.c; do
    emcc -O2 -DNDEBUG -include limits.h -I"$root/src/glu-9.0.2/include" -I"$root/src/glu-9.0.2/src/include" -c "$c" \
        -o "$root/build/glu/$(basename "$c" .c).o"
done
emar rcs "$prefix/lib/libGLU.a" "$root/build/glu/"*.o

# Dear ImGui is compiled by the page's own build from these sources.
rm -rf "$prefix/imgui"
mkdir -p "$prefix/imgui/backends"
cp "$root/src/imgui-1.86+ds/"*.cpp "$root/src/imgui-1.86+ds/"*.h "$prefix/imgui/"
cp "$root/src/imgui-1.86+ds/backends/imgui_impl_sdl."* "$root/src/imgui-1.86+ds/backends/imgui_impl_opengl3"* \
    "$prefix/imgui/backends/"

echo "$key" >"$stamp"
echo "$prefix"
