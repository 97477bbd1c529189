# Builds the Windows Installer package VLDoctor-<version>-x64.msi from packaging/VLDoctor.wxs with
# wixl (msitools). CPack runs it once it has made the zip (cpack --preset win64): the version is
# the project's, the programs are the ones CPack staged for the zip, and the package goes beside
# the zip with its SHA-256 sum. By hand, or from a test:
#
#   cmake -DVLD_MSI_VERSION=1.24 -DVLD_MSI_PROGRAMS=DIR -DVLD_MSI_OUTPUT=FILE.msi
#         -P packaging/BuildMsi.cmake
#
# DIR holds VLDoctor.exe and VLDoctor.com.

# The one upgrade code of every Velmont Doctor package: Windows Installer finds an installed
# Doctor of any version by it. Never change it.
set(VLD_MSI_UPGRADE_CODE 594BEF47-8126-4DD4-BEFB-F6C5719B7C0E)
set(VLD_MSI_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)

if(CPACK_TEMPORARY_DIRECTORY)
    set(VLD_MSI_VERSION ${CPACK_PACKAGE_VERSION})
    set(VLD_MSI_PROGRAMS ${CPACK_TEMPORARY_DIRECTORY})
    set(VLD_MSI_OUTPUT ${CPACK_PACKAGE_DIRECTORY}/VLDoctor-${CPACK_PACKAGE_VERSION}-x64.msi)
endif()
foreach(input VLD_MSI_VERSION VLD_MSI_PROGRAMS VLD_MSI_OUTPUT)
    if(NOT ${input})
        message(FATAL_ERROR "BuildMsi: ${input} is not set")
    endif()
endforeach()

# wixl is Debian's; a host without it (a build on Windows) still makes the zip under CPack.
find_program(VLD_WIXL wixl)
find_program(VLD_MSIBUILD msibuild)
if(NOT VLD_WIXL OR NOT VLD_MSIBUILD)
    set(missing "wixl and msibuild are missing (apt-get install wixl msitools)")
    if(CPACK_TEMPORARY_DIRECTORY)
        message(WARNING "BuildMsi: no Windows Installer package: ${missing}")
        return()
    endif()
    message(FATAL_ERROR "BuildMsi: ${missing}")
endif()

# The support addresses of the Apps & features entry are the program's own.
function(vld_example_text name out)
    file(STRINGS ${VLD_MSI_SOURCE_DIR}/src/resources/ExampleTexts.h line
        REGEX "^#define ${name} \"")
    string(REGEX REPLACE "^#define ${name} \"([^\"]*)\".*" "\\1" text "${line}")
    set(${out} ${text} PARENT_SCOPE)
endfunction()
vld_example_text(VLD_SUPPORT_EMAIL support_email)
vld_example_text(VLD_WEB_CONTACT help_link)
vld_example_text(VLD_WEB_HOME about_link)

# One product code per version: a package of the same version built again is the same product,
# which Windows Installer neither installs twice nor upgrades over itself.
string(UUID product_code NAMESPACE ${VLD_MSI_UPGRADE_CODE} NAME "VLDoctor ${VLD_MSI_VERSION}"
    TYPE SHA1 UPPER)

# wixl takes the files from its working folder (it finds no absolute source path).
# The cabinet keeps each file's time: the programs go in with the time of the source
# (SOURCE_DATE_EPOCH, the last commit's, or outside git the WiX source's), so two builds of one
# commit pack the same bytes.
set(work ${VLD_MSI_OUTPUT}.files)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(COPY ${VLD_MSI_PROGRAMS}/VLDoctor.exe ${VLD_MSI_PROGRAMS}/VLDoctor.com DESTINATION ${work})
set(source_time $ENV{SOURCE_DATE_EPOCH})
if(NOT source_time)
    execute_process(COMMAND git -C ${VLD_MSI_SOURCE_DIR} log -1 --format=%ct
        OUTPUT_VARIABLE source_time OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT source_time)
    file(TIMESTAMP ${VLD_MSI_SOURCE_DIR}/packaging/VLDoctor.wxs source_time "%s" UTC)
endif()
execute_process(COMMAND touch -d @${source_time} ${work}/VLDoctor.exe ${work}/VLDoctor.com)

# wixl stamps the package's summary with the time it runs: under faketime that is the source's
# time as well, and the package's bytes follow from its sources alone.
set(wixl_command ${VLD_WIXL})
find_program(VLD_FAKETIME faketime)
if(VLD_FAKETIME)
    # string(TIMESTAMP) tells the time of SOURCE_DATE_EPOCH; faketime holds a clock given as a
    # plain date still (one given as @seconds would run on).
    set(ENV{SOURCE_DATE_EPOCH} ${source_time})
    string(TIMESTAMP source_date "%Y-%m-%d %H:%M:%S" UTC)
    set(wixl_command ${CMAKE_COMMAND} -E env TZ=UTC ${VLD_FAKETIME} -f ${source_date} ${VLD_WIXL})
endif()
execute_process(COMMAND ${wixl_command} -a x64 -o ${VLD_MSI_OUTPUT}
        -D Version=${VLD_MSI_VERSION} -D ProductCode=${product_code}
        -D UpgradeCode=${VLD_MSI_UPGRADE_CODE}
        -D SupportEmail=${support_email} -D HelpLink=${help_link} -D AboutLink=${about_link}
        ${VLD_MSI_SOURCE_DIR}/packaging/VLDoctor.wxs
    WORKING_DIRECTORY ${work} RESULT_VARIABLE wixl_result)
if(NOT wixl_result EQUAL 0)
    message(FATAL_ERROR "BuildMsi: wixl failed (${wixl_result})")
endif()

# wixl draws a random package code; this one follows from what the package holds, so a package
# rebuilt from the same files is the same package to Windows Installer, and any change gives a
# new code.
file(SHA256 ${work}/VLDoctor.exe exe_sum)
file(SHA256 ${work}/VLDoctor.com com_sum)
file(SHA256 ${VLD_MSI_SOURCE_DIR}/packaging/VLDoctor.wxs wxs_sum)
execute_process(COMMAND ${VLD_WIXL} --version OUTPUT_VARIABLE wixl_version)
string(UUID package_code NAMESPACE ${VLD_MSI_UPGRADE_CODE}
    NAME "${VLD_MSI_VERSION} ${exe_sum} ${com_sum} ${wxs_sum} ${source_time} ${support_email} ${help_link} ${about_link} ${wixl_version}"
    TYPE SHA1 UPPER)
execute_process(COMMAND ${VLD_MSIBUILD} ${VLD_MSI_OUTPUT} -s "Velmont Doctor ${VLD_MSI_VERSION}"
        "Tessaly Software" "x64;1033" "{${package_code}}"
    RESULT_VARIABLE msibuild_result)
if(NOT msibuild_result EQUAL 0)
    message(FATAL_ERROR "BuildMsi: msibuild could not set the package code (${msibuild_result})")
endif()
file(REMOVE_RECURSE ${work})

if(CPACK_TEMPORARY_DIRECTORY)
    # The sum in the form CPack writes the zip's, which sha256sum -c reads.
    file(SHA256 ${VLD_MSI_OUTPUT} package_sum)
    get_filename_component(package_name ${VLD_MSI_OUTPUT} NAME)
    file(WRITE ${VLD_MSI_OUTPUT}.sha256 "${package_sum}  ${package_name}\n")
    message(STATUS "- package: ${VLD_MSI_OUTPUT} generated.")
endif()
