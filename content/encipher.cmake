# cmake -DTOOL=kestrelle-data -DKEY=key -DINPUT=plain -DOUTPUT=enciphered -P encipher.cmake
execute_process(COMMAND ${TOOL} encipher ${KEY} INPUT_FILE ${INPUT} OUTPUT_FILE ${OUTPUT}.tmp
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "enciphering ${INPUT} failed")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
