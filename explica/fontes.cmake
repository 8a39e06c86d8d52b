# The explorer's sources, by who builds them, named from explica/: the
# lengths of codes (canonical codes, package-merge, and the methods before
# Huffman's), which the property
# check shares too; the engine, which the program and the page's module
# share; what the program alone has (the command line, files, utf8proc's
# NFC, the writers' table and the page itself); and what the module has in
# their place.
set(explica_comprimentos canonicos.cpp constroi/canonico.cpp constroi/limite.cpp constroi/metodos.cpp)
set(explica_motor
    pedido.cpp mostra.cpp idioma.cpp
    le/bytes.cpp le/texto.cpp le/pares.cpp le/pesos.cpp le/bits.cpp le/codigos.cpp le/leitor_de_bits.cpp le/deflate.cpp le/gzip.cpp le/zlib.cpp le/png.cpp le/zip.cpp le/aberto.cpp
    constroi/modelo.cpp constroi/nomes.cpp constroi/confere.cpp constroi/execucao.cpp constroi/deflate.cpp constroi/pesagem.cpp
    constroi/exercicio.cpp constroi/pratica.cpp constroi/blocos.cpp constroi/compara.cpp constroi/adaptativo.cpp
    escreve/passos.cpp escreve/arvore.cpp escreve/relatorio.cpp escreve/estatisticas.cpp
    escreve/veredito.cpp escreve/decodificado.cpp escreve/json.cpp escreve/dot.cpp
    escreve/frases.cpp escreve/gzip.cpp escreve/anatomia.cpp escreve/exercicio_json.cpp
    escreve/em_texto.cpp escreve/pratica_json.cpp escreve/comparacao.cpp escreve/adaptativo.cpp)
set(explica_programa
    le/linha_de_comando.cpp le/arquivo.cpp le/nfc.cpp escreve/escritores.cpp escreve/pagina.cpp
    escreve/no_arquivo.cpp escreve/exercicios.cpp)
set(explica_modulo le/nfc_no_navegador.cpp)
