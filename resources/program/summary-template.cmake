# Writes a flat ODF summary template: TABLES tables, each a title row, a name row, a heading row
# and ITEM_ROWS numbered item rows in two halves, TABLES_PER_PAGE tables to an A4 page.
# cmake -DOUTPUT=... -DTABLES=50 -DITEM_ROWS=15 -DTABLES_PER_PAGE=2 -DROW_HEIGHT=6.8mm -P this
foreach(var OUTPUT TABLES ITEM_ROWS TABLES_PER_PAGE ROW_HEIGHT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

function(cell out style text)
  set(${out} "${${out}}<table:table-cell table:style-name=\"${style}\" office:value-type=\"string\"><text:p text:style-name=\"cell-text\">${text}</text:p></table:table-cell>" PARENT_SCOPE)
endfunction()

set(title "<table:table-row table:style-name=\"title-row\"><table:table-cell table:style-name=\"cell\" table:number-columns-spanned=\"4\" office:value-type=\"string\"><text:p text:style-name=\"title-text\">未完成作业汇总</text:p></table:table-cell><table:covered-table-cell/><table:covered-table-cell/><table:covered-table-cell/></table:table-row>")
set(name_row "<table:table-row table:style-name=\"item-row\">")
cell(name_row cell "姓名：")
cell(name_row cell "")
cell(name_row cell "未完成次数：")
cell(name_row cell "")
string(APPEND name_row "</table:table-row>")
set(heading_row "<table:table-row table:style-name=\"item-row\">")
cell(heading_row cell "序号")
cell(heading_row cell "未完成作业")
cell(heading_row cell "序号")
cell(heading_row cell "未完成作业")
string(APPEND heading_row "</table:table-row>")

set(rows "")
foreach(n RANGE 1 ${ITEM_ROWS})
  math(EXPR second "${n} + ${ITEM_ROWS}")
  set(row "<table:table-row table:style-name=\"item-row\">")
  cell(row number "${n}")
  cell(row cell "")
  cell(row number "${second}")
  cell(row cell "")
  string(APPEND rows "${row}</table:table-row>\n")
endforeach()

set(body "")
foreach(t RANGE 1 ${TABLES})
  math(EXPR first_on_page "(${t} - 1) % ${TABLES_PER_PAGE}")
  if(t GREATER 1 AND first_on_page EQUAL 0)
    set(table_style new-page-table)
  else()
    set(table_style table)
  endif()
  string(APPEND body "<table:table table:name=\"表格${t}\" table:style-name=\"${table_style}\">
<table:table-column table:style-name=\"number-column\"/><table:table-column table:style-name=\"item-column\"/><table:table-column table:style-name=\"number-column\"/><table:table-column table:style-name=\"item-column\"/>
${title}
${name_row}
${heading_row}
${rows}</table:table>
<text:p text:style-name=\"gap\"/>
")
endforeach()

file(WRITE ${OUTPUT} "<?xml version=\"1.0\" encoding=\"UTF-8\"?>
<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"
 xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\"
 xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"
 xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\"
 xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\"
 xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\"
 office:version=\"1.3\" office:mimetype=\"application/vnd.oasis.opendocument.text\">
<office:font-face-decls>
 <style:font-face style:name=\"Noto Sans CJK SC\" svg:font-family=\"&apos;Noto Sans CJK SC&apos;\"/>
</office:font-face-decls>
<office:styles>
 <style:default-style style:family=\"paragraph\">
  <style:paragraph-properties fo:margin-top=\"0mm\" fo:margin-bottom=\"0mm\"/>
  <style:text-properties style:font-name=\"Noto Sans CJK SC\" style:font-name-asian=\"Noto Sans CJK SC\"
   fo:font-size=\"9pt\" style:font-size-asian=\"9pt\" fo:language=\"zh\" fo:country=\"CN\"
   style:language-asian=\"zh\" style:country-asian=\"CN\"/>
 </style:default-style>
</office:styles>
<office:automatic-styles>
 <style:style style:name=\"table\" style:family=\"table\">
  <style:table-properties style:width=\"180mm\" table:align=\"center\"/>
 </style:style>
 <style:style style:name=\"new-page-table\" style:family=\"table\">
  <style:table-properties style:width=\"180mm\" table:align=\"center\" fo:break-before=\"page\"/>
 </style:style>
 <style:style style:name=\"number-column\" style:family=\"table-column\">
  <style:table-column-properties style:column-width=\"24mm\"/>
 </style:style>
 <style:style style:name=\"item-column\" style:family=\"table-column\">
  <style:table-column-properties style:column-width=\"66mm\"/>
 </style:style>
 <style:style style:name=\"title-row\" style:family=\"table-row\">
  <style:table-row-properties style:row-height=\"9mm\"/>
 </style:style>
 <style:style style:name=\"item-row\" style:family=\"table-row\">
  <style:table-row-properties style:row-height=\"${ROW_HEIGHT}\"/>
 </style:style>
 <style:style style:name=\"cell\" style:family=\"table-cell\">
  <style:table-cell-properties style:vertical-align=\"middle\" fo:padding=\"0.3mm\" fo:border=\"0.5pt solid #000000\"/>
 </style:style>
 <style:style style:name=\"number\" style:family=\"table-cell\">
  <style:table-cell-properties style:vertical-align=\"middle\" fo:padding=\"0.3mm\" fo:border=\"0.5pt solid #000000\"/>
 </style:style>
 <style:style style:name=\"cell-text\" style:family=\"paragraph\"/>
 <style:style style:name=\"title-text\" style:family=\"paragraph\">
  <style:paragraph-properties fo:text-align=\"center\"/>
  <style:text-properties fo:font-size=\"14pt\" style:font-size-asian=\"14pt\" fo:font-weight=\"bold\" style:font-weight-asian=\"bold\"/>
 </style:style>
 <style:style style:name=\"gap\" style:family=\"paragraph\">
  <style:text-properties fo:font-size=\"6pt\" style:font-size-asian=\"6pt\"/>
 </style:style>
 <style:page-layout style:name=\"a4\">
  <style:page-layout-properties fo:page-width=\"210mm\" fo:page-height=\"297mm\" style:print-orientation=\"portrait\"
   fo:margin-top=\"12mm\" fo:margin-bottom=\"12mm\" fo:margin-left=\"15mm\" fo:margin-right=\"15mm\"/>
 </style:page-layout>
</office:automatic-styles>
<office:master-styles>
 <style:master-page style:name=\"Standard\" style:page-layout-name=\"a4\"/>
</office:master-styles>
<office:body>
<office:text>
${body}</office:text>
</office:body>
</office:document>
")
